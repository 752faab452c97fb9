// The page's console is UTF-8 alone (main.cpp), so the Shift_JIS conversion
// of console/encoding.cpp is never asked for here. The C library's iconv
// brings the tables of every CJK encoding it knows (about 140 kB of the
// page); these take their place and convert nothing, which encode_text
// answers by keeping the UTF-8 text.
#include <iconv.h>

#include <cerrno>
#include <cstddef>

extern "C" {

iconv_t iconv_open(const char*, const char*) {
  errno = EINVAL;
  return reinterpret_cast<iconv_t>(-1);
}

std::size_t iconv(iconv_t, char**, std::size_t*, char**, std::size_t*) {
  errno = EBADF;
  return static_cast<std::size_t>(-1);
}

int iconv_close(iconv_t) { return 0; }

}  // extern "C"
