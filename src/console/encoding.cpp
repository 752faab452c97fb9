// The terminal's character encoding and the conversion of UTF-8 texts into it.
#include "console/console.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <iconv.h>
#include <langinfo.h>

namespace {

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool ends_with_ignoring_case(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() &&
         equals_ignoring_case(s.substr(s.size() - suffix.size()), suffix);
}

// A locale name such as "ja_JP.UTF-8", "C.utf8" or "ja_JP.UTF-8@cjknarrow"
// (the modifier after '@' does not name the character set).
bool names_utf8_locale(std::string_view name) {
  const std::size_t at = name.find('@');
  if (at != std::string_view::npos) name = name.substr(0, at);
  return ends_with_ignoring_case(name, "UTF-8") || ends_with_ignoring_case(name, "utf8");
}

// The first of LC_ALL, LC_CTYPE, LANG that is set and not empty, or "".
const char* locale_name_from_environment() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(var);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

// Length of the UTF-8 sequence starting at s (at most n bytes available), or 0
// when s does not start a complete, well-formed sequence.
std::size_t utf8_sequence_length(const unsigned char* s, std::size_t n) {
  const unsigned char lead = s[0];
  std::size_t len;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) len = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) len = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) len = 4;
  else return 0;
  if (len > n) return 0;
  for (std::size_t i = 1; i < len; ++i)
    if ((s[i] & 0xC0) != 0x80) return 0;
  return len;
}

// The Greek alphabet by name, in code point order from U+0391 (capitals) and
// U+03B1 (small letters); U+03A2 has no capital.
constexpr const char* kGreekNames[25] = {
    "alpha", "beta", "gamma", "delta",  "epsilon", "zeta", "eta", "theta", "iota",
    "kappa", "lambda", "mu",  "nu",     "xi",      "omicron", "pi", "rho", "sigma",
    "sigma", "tau",  "upsilon", "phi",  "chi",     "psi",  "omega"};

// How a terminal without UTF-8 shows one character: Greek letters by their
// names (capitals capitalised), the degree sign as "deg", anything else
// outside ASCII as '?'.
void append_ascii(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp >= 0x03B1 && cp <= 0x03C9) {
    out += kGreekNames[cp - 0x03B1];
  } else if (cp >= 0x0391 && cp <= 0x03A9 && cp != 0x03A2) {
    std::string name = kGreekNames[cp - 0x0391];
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    out += name;
  } else if (cp == 0x00B0) {
    out += "deg";
  } else {
    out += '?';
  }
}

std::string spell_in_ascii(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  std::size_t left = utf8.size();
  while (left > 0) {
    const std::size_t len = utf8_sequence_length(p, left);
    if (len <= 1) {  // ASCII, or a malformed byte
      append_ascii(out, p[0] < 0x80 ? p[0] : 0xFFFD);
      ++p;
      --left;
      continue;
    }
    unsigned cp = p[0] & (0x7Fu >> len);
    for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3Fu);
    append_ascii(out, cp);
    p += len;
    left -= len;
  }
  return out;
}

}  // namespace

Encoding detect_console_encoding() {
  // Only the character classification follows the user's locale; LC_NUMERIC
  // stays "C" so that numbers keep their decimal point.
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const char* codeset = nl_langinfo(CODESET);
    const bool utf8 = codeset != nullptr &&
                      (equals_ignoring_case(codeset, "UTF-8") || equals_ignoring_case(codeset, "UTF8"));
    return utf8 ? Encoding::Utf8 : Encoding::Cp932;
  }
  // The named locale is not installed, so the C library cannot tell us its
  // character set; the name itself still says what the terminal expects.
  return names_utf8_locale(locale_name_from_environment()) ? Encoding::Utf8 : Encoding::Cp932;
}

std::string encode_text(const std::string& utf8, Encoding enc) {
  if (enc == Encoding::Utf8 || utf8.empty()) return utf8;
  if (enc == Encoding::Ascii) return spell_in_ascii(utf8);

  // "CP932", not "SHIFT_JIS": the latter maps the backslash to the yen sign.
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;

  std::string out;
  out.reserve(utf8.size() + 16);
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char chunk[1024];
  while (in_left > 0) {
    char* dst = chunk;
    std::size_t dst_left = sizeof chunk;
    const std::size_t r = iconv(cd, &in, &in_left, &dst, &dst_left);
    out.append(chunk, static_cast<std::size_t>(dst - chunk));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // A character without a CP932 code, a malformed byte (EILSEQ) or a
    // sequence cut off at the end (EINVAL): keep its bytes as they are and
    // go on with the rest of the text.
    std::size_t skip = utf8_sequence_length(reinterpret_cast<const unsigned char*>(in), in_left);
    if (skip == 0) skip = 1;
    out.append(in, skip);
    in += skip;
    in_left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}
