// A numeric locale whose decimal point is ',' for tests of number formatting.
// Uses an installed German or French locale, or compiles de_DE.UTF-8 with
// localedef into a temporary folder (LOCPATH) once per process.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace testlocale {

inline bool decimal_comma_active() {
  const std::lconv* lc = std::localeconv();
  return lc != nullptr && std::string(lc->decimal_point) == ",";
}

inline bool try_comma_locales() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
    if (std::setlocale(LC_NUMERIC, name) != nullptr && decimal_comma_active()) return true;
  std::setlocale(LC_NUMERIC, "C");
  return false;
}

// Folder of the compiled locale, removed when the process ends.
struct CompiledLocale {
  std::filesystem::path dir;
  ~CompiledLocale() {
    std::error_code ec;
    if (!dir.empty()) std::filesystem::remove_all(dir, ec);
  }
};

inline bool compile_comma_locale() {
  static CompiledLocale compiled;
  static const bool ok = [] {
    char tmpl[] = "/tmp/tocsim-locale-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) return false;
    compiled.dir = tmpl;
    const std::string cmd = "localedef -i de_DE -f UTF-8 '" + compiled.dir.string() +
                            "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return false;
    return setenv("LOCPATH", compiled.dir.c_str(), 1) == 0;
  }();
  return ok;
}

// Switches LC_NUMERIC to a decimal-comma locale for its lifetime and back to
// "C" afterwards; active() tells whether one could be had.
class DecimalComma {
 public:
  DecimalComma() { active_ = try_comma_locales() || (compile_comma_locale() && try_comma_locales()); }
  ~DecimalComma() { std::setlocale(LC_NUMERIC, "C"); }
  DecimalComma(const DecimalComma&) = delete;
  DecimalComma& operator=(const DecimalComma&) = delete;
  bool active() const { return active_; }

 private:
  bool active_ = false;
};

}  // namespace testlocale
