// The format is taken apart one conversion at a time, so that each floating
// argument can be looked at before vsnprintf's own rules print it.
#include "console/format_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>
#include <vector>

locale_t c_locale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

namespace {

// snprintf of one conversion (the directive holds exactly one) appended to out.
template <typename T>
void append_one(std::string& out, const std::string& directive, T value) {
  char small[256];
  const int n = std::snprintf(small, sizeof small, directive.c_str(), value);
  if (n < 0) return;
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.append(small, static_cast<std::size_t>(n));
    return;
  }
  std::vector<char> big(static_cast<std::size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), directive.c_str(), value);
  out.append(big.data(), static_cast<std::size_t>(n));
}

// A width or precision given as '*': its int argument written into the directive.
// A negative width is the '-' flag; a negative precision is none.
void append_star(std::string& directive, va_list& ap, bool precision) {
  const int v = va_arg(ap, int);
  if (precision) {
    if (v >= 0) {
      directive += '.';
      directive += std::to_string(v);
    }
    return;
  }
  if (v < 0) directive += '-';
  directive += std::to_string(v < 0 ? -static_cast<long>(v) : static_cast<long>(v));
}

// Integer conversions: the argument's type follows the length modifier.
void append_integer(std::string& out, const std::string& directive, const std::string& length,
                    bool is_signed, va_list& ap) {
  using ssize = std::make_signed_t<std::size_t>;
  if (length == "l") {
    if (is_signed) append_one(out, directive, va_arg(ap, long));
    else append_one(out, directive, va_arg(ap, unsigned long));
  } else if (length == "ll") {
    if (is_signed) append_one(out, directive, va_arg(ap, long long));
    else append_one(out, directive, va_arg(ap, unsigned long long));
  } else if (length == "z") {
    if (is_signed) append_one(out, directive, va_arg(ap, ssize));
    else append_one(out, directive, va_arg(ap, std::size_t));
  } else if (length == "j") {
    if (is_signed) append_one(out, directive, va_arg(ap, std::intmax_t));
    else append_one(out, directive, va_arg(ap, std::uintmax_t));
  } else if (length == "t") {
    append_one(out, directive, va_arg(ap, std::ptrdiff_t));
  } else if (is_signed) {  // none, h, hh: promoted to int
    append_one(out, directive, va_arg(ap, int));
  } else {
    append_one(out, directive, va_arg(ap, unsigned int));
  }
}

// One conversion from *p (just past its '%'); p is left after it.
void append_conversion(std::string& out, const char*& p, va_list& ap) {
  std::string directive = "%";
  while (*p != '\0' && std::strchr("-+ #0'", *p) != nullptr) directive += *p++;
  if (*p == '*') {
    append_star(directive, ap, false);
    ++p;
  }
  while (*p >= '0' && *p <= '9') directive += *p++;
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      append_star(directive, ap, true);
      ++p;
    } else {
      directive += '.';
      while (*p >= '0' && *p <= '9') directive += *p++;
    }
  }
  std::string length;
  while (*p != '\0' && std::strchr("hlLzjt", *p) != nullptr) length += *p++;
  const char conv = *p;
  if (conv == '\0') return;  // a format cut short prints nothing of it
  ++p;
  directive += length;
  directive += conv;
  if (std::strchr("fFeEgGaA", conv) != nullptr) {
    if (length == "L") {
      const long double v = va_arg(ap, long double);
      append_one(out, directive, std::isnan(v) ? std::fabs(v) : v);
    } else {
      const double v = va_arg(ap, double);
      append_one(out, directive, std::isnan(v) ? std::fabs(v) : v);
    }
  } else if (conv == 'd' || conv == 'i') {
    append_integer(out, directive, length, true, ap);
  } else if (std::strchr("ouxX", conv) != nullptr) {
    append_integer(out, directive, length, false, ap);
  } else if (conv == 'c') {
    append_one(out, directive, va_arg(ap, int));
  } else if (conv == 's') {
    append_one(out, directive, va_arg(ap, const char*));
  } else if (conv == 'p') {
    append_one(out, directive, va_arg(ap, void*));
  } else if (conv == '%') {
    out += '%';
  } else if (conv == 'n') {
    (void)va_arg(ap, int*);  // writes nothing back
  } else {
    out += directive;  // not a conversion: the text as it stands
  }
}

}  // namespace

std::string format_text(const char* fmt, va_list ap) {
  const locale_t c = c_locale();
  const locale_t previous = c != static_cast<locale_t>(0) ? uselocale(c) : static_cast<locale_t>(0);
  va_list args;
  va_copy(args, ap);
  std::string text;
  for (const char* p = fmt; *p != '\0';) {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      text += p;
      break;
    }
    text.append(p, static_cast<std::size_t>(percent - p));
    p = percent + 1;
    append_conversion(text, p, args);
  }
  va_end(args);
  if (previous != static_cast<locale_t>(0)) uselocale(previous);
  return text;
}
