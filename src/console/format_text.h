// printf-style formatting of the console's texts.
#pragma once

#include <cstdarg>
#include <string>

#include <locale.h>

// The "C" locale, for numbers that never depend on the user's locale (0 when
// the C library cannot make one).
locale_t c_locale();

// vsnprintf's text in the "C" locale, except that a NaN prints without a
// sign ("nan", never "-nan"): the sign bit of a NaN means nothing, and
// machines set it differently (WebAssembly leaves it open), where the same
// computation must print the same text everywhere.
std::string format_text(const char* fmt, va_list ap);
