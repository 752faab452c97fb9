// Console output: texts as they stand, printf formatting, the encoding.
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "console/console.h"
#include "console_test_support.h"

using console_test::bytes;
using console_test::LocaleEnvironment;

namespace {

TEST(ConsoleOutput, PrintWritesTheTextAsItStands) {
  Console con("", Encoding::Utf8);
  con.print("\n重力考慮？　　yes ; g    no : h   sgnG=");
  con.print("100%d %s\\n");  // no conversions in print
  EXPECT_EQ(con.output(), "\n重力考慮？　　yes ; g    no : h   sgnG=100%d %s\\n");
  con.clear_output();
  EXPECT_EQ(con.output(), "");
  con.print("");
  EXPECT_EQ(con.output(), "");
}

TEST(ConsoleOutput, Cp932ConsoleWritesShiftJis) {
  Console con("", Encoding::Cp932);
  EXPECT_EQ(con.encoding(), Encoding::Cp932);
  con.print("\n重力なし");
  con.printf("%s%5.2f", "力", 1.5);
  EXPECT_EQ(con.output(), bytes({0x0A, 0x8F, 0x64, 0x97, 0xCD, 0x82, 0xC8, 0x82, 0xB5}) +
                              bytes({0x97, 0xCD}) + " 1.50");
}

TEST(ConsoleOutput, PrintfConversionsOfTheDialogue) {
  Console con("", Encoding::Utf8);
  con.printf("(%5.2f %5.2f)", 20.0, 2.25);  // 20.00 fills the width
  con.printf("(%6.3f %6.3f)", -0.5, 0.0004);
  con.printf("(%7.4f)", 2.56514);
  con.printf(" %c", 'b');
  EXPECT_EQ(con.output(), "(20.00  2.25)(-0.500  0.000)( 2.5651) b");
}

TEST(ConsoleOutput, PrintfHasNoLengthLimit) {
  Console con("", Encoding::Utf8);
  con.printf("%6.1f", 1e308);
  char expected[400];
  const int n = std::snprintf(expected, sizeof expected, "%6.1f", 1e308);
  ASSERT_GT(n, 300);
  EXPECT_EQ(con.output(), std::string(expected, static_cast<std::size_t>(n)));
  EXPECT_EQ(con.output().substr(con.output().size() - 2), ".0");

  con.clear_output();
  const std::string big(100000, 'x');
  con.printf("[%s]%d", big.c_str(), 7);
  EXPECT_EQ(con.output(), "[" + big + "]7");

  // Just at the edge of any small internal buffer size.
  for (std::size_t len : {255u, 256u, 511u, 512u, 513u, 1023u, 1024u}) {
    con.clear_output();
    const std::string s(len, 'y');
    con.printf("%s", s.c_str());
    EXPECT_EQ(con.output(), s) << len;
  }
}

TEST(ConsoleOutput, NonFiniteNumbersPrint) {
  Console con("", Encoding::Utf8);
  con.printf("%7.4f|%6.3f|%5.2f", std::nan(""), INFINITY, -INFINITY);
  EXPECT_EQ(con.output(), "    nan|   inf| -inf");
}

TEST(ConsoleOutput, NumbersKeepTheDecimalPointWhateverTheLocaleVariables) {
  LocaleEnvironment env;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.ISO-8859-1", "C.utf8"}) {
    SCOPED_TRACE(name);
    env.set("LC_ALL", name);
    env.set("LC_NUMERIC", name);
    env.set("LANG", name);
    Console con("", detect_console_encoding());
    con.printf("%6.3f %5.2f", 2.5, -1234.5);
    EXPECT_EQ(con.output(), " 2.500 -1234.50");
  }
}

// A console on a file descriptor writes to its stream and captures nothing.
TEST(ConsoleOutput, StreamConsoleWritesEveryTextAtOnce) {
  int out_pipe[2];
  ASSERT_EQ(pipe(out_pipe), 0);
  std::FILE* out = fdopen(out_pipe[1], "w");
  ASSERT_NE(out, nullptr);
  setvbuf(out, nullptr, _IOFBF, 1 << 16);  // fully buffered, as stdout on a pipe
  int in_pipe[2];
  ASSERT_EQ(pipe(in_pipe), 0);
  close(in_pipe[1]);
  {
    Console con(in_pipe[0], out, Encoding::Cp932);
    con.print("\n重力");
    // Reaches the other end without any read or flush by the caller.
    EXPECT_EQ(console_test::read_until(out_pipe[0], static_cast<char>(0xCD)),
              bytes({0x0A, 0x8F, 0x64, 0x97, 0xCD}));
    con.printf("%5.1f;", 2.0);
    EXPECT_EQ(console_test::read_until(out_pipe[0], ';'), "  2.0;");
    EXPECT_EQ(con.output(), "");
  }
  std::fclose(out);
  close(out_pipe[0]);
  close(in_pipe[0]);
}

}  // namespace
