// Console input from a script: keys, numbers, and the end of the input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "console/console.h"
#include "console_test_support.h"

using console_test::kInputEnded;

namespace {

// Reads n numbers into values that start out as sentinels.
struct NumberRead {
  int got;
  double v[4];
};

NumberRead read_numbers(Console& con, int n) {
  NumberRead r{0, {-101.0, -102.0, -103.0, -104.0}};
  r.got = con.read_numbers(r.v, n);
  return r;
}

// ---- Keys ----

TEST(ConsoleKeys, NextByteThatIsNotWhiteSpace) {
  Console con("b\ng\n  \t\r\n y\v\fn", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), 'b');
  EXPECT_EQ(con.read_key(), 'g');
  EXPECT_EQ(con.read_key(), 'y');
  EXPECT_EQ(con.read_key(), 'n');
}

TEST(ConsoleKeys, AnyOtherByteIsAKey) {
  Console con("\x1b" "0%\xE9-", Encoding::Cp932);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), '\x1b');
  EXPECT_EQ(con.read_key(), '0');
  EXPECT_EQ(con.read_key(), '%');
  EXPECT_EQ(con.read_key(), '\xE9');
  EXPECT_EQ(con.read_key(), '-');
}

TEST(ConsoleKeys, KeysWriteNothing) {
  Console con("yn", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  con.read_key();
  con.read_key();
  EXPECT_EQ(con.output(), "");
}

TEST(ConsoleKeys, EveryReadIsCounted) {
  Console con("y 1 2\nabc\nn", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.reads(), 0);
  con.read_key();
  EXPECT_EQ(con.reads(), 1);
  read_numbers(con, 2);
  EXPECT_EQ(con.reads(), 2);
  read_numbers(con, 2);  // fails, still a read
  EXPECT_EQ(con.reads(), 3);
  con.read_key();
  EXPECT_EQ(con.reads(), 4);
  EXPECT_EQ(con.read_key(), std::nullopt);  // the read that met the end
  EXPECT_EQ(con.reads(), 5);
}

// ---- Numbers ----

TEST(ConsoleNumbers, TwoAndFourValuesOnOneLine) {
  Console con("1.5 -2.25\n0.3 0.4 0.5 -0.6\n", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 2);
  EXPECT_EQ(a.v[0], 1.5);
  EXPECT_EQ(a.v[1], -2.25);
  EXPECT_EQ(a.v[2], -103.0);  // beyond n: untouched
  NumberRead b = read_numbers(con, 4);
  EXPECT_EQ(b.got, 4);
  EXPECT_EQ(b.v[0], 0.3);
  EXPECT_EQ(b.v[1], 0.4);
  EXPECT_EQ(b.v[2], 0.5);
  EXPECT_EQ(b.v[3], -0.6);
}

TEST(ConsoleNumbers, ValuesMayRunOverSeveralLines) {
  Console con("\n\n  1\n\n\t2 \n3\r\n4\n", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 4);
  EXPECT_EQ(a.got, 4);
  EXPECT_EQ(a.v[0], 1.0);
  EXPECT_EQ(a.v[1], 2.0);
  EXPECT_EQ(a.v[2], 3.0);
  EXPECT_EQ(a.v[3], 4.0);
}

TEST(ConsoleNumbers, TheLineFeedAfterTheValuesIsNoKey) {
  // The rest of the last line goes, extra values included.
  Console con("20 30 40\ny\n1 2\n\nn", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 2);
  EXPECT_EQ(con.read_key(), 'y');
  read_numbers(con, 2);
  EXPECT_EQ(con.read_key(), 'n');
}

TEST(ConsoleNumbers, RestOfTheLineAfterTheLastValueIsDropped) {
  Console con("1 2 y\nn", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(read_numbers(con, 2).got, 2);
  EXPECT_EQ(con.read_key(), 'n');  // not the 'y' on the numbers' line
}

TEST(ConsoleNumbers, NotANumberLeavesEveryValueAndDropsTheLine) {
  Console con("abc 5\ny", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 0);
  EXPECT_EQ(a.v[0], -101.0);
  EXPECT_EQ(a.v[1], -102.0);
  EXPECT_EQ(con.read_key(), 'y');  // not 'a', 'b', 'c' or '5'
}

TEST(ConsoleNumbers, NumericPrefixIsReadAndTheNextValueFailsAtTheRest) {
  Console con("1.5abc 7\nk", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 1);
  EXPECT_EQ(a.v[0], 1.5);
  EXPECT_EQ(a.v[1], -102.0);
  EXPECT_EQ(con.read_key(), 'k');
}

TEST(ConsoleNumbers, PartlyNumericLines) {
  {
    Console con("0.1 0.2 x 0.4\nq", Encoding::Utf8);
    con.set_input_end_text(console_test::kInputEnded);
    NumberRead a = read_numbers(con, 4);
    EXPECT_EQ(a.got, 2);
    EXPECT_EQ(a.v[0], 0.1);
    EXPECT_EQ(a.v[1], 0.2);
    EXPECT_EQ(a.v[2], -103.0);
    EXPECT_EQ(a.v[3], -104.0);
    EXPECT_EQ(con.read_key(), 'q');
  }
  {
    // A failure on a later line drops only that line.
    Console con("0.1\n0.2 - 5\n7 8\n", Encoding::Utf8);
    con.set_input_end_text(console_test::kInputEnded);
    NumberRead a = read_numbers(con, 4);
    EXPECT_EQ(a.got, 2);
    EXPECT_EQ(a.v[2], -103.0);
    NumberRead b = read_numbers(con, 2);
    EXPECT_EQ(b.got, 2);
    EXPECT_EQ(b.v[0], 7.0);
    EXPECT_EQ(b.v[1], 8.0);
  }
  {
    // A decimal comma ends the number; the next value fails at ",5".
    Console con("1,5 2\n", Encoding::Utf8);
    con.set_input_end_text(console_test::kInputEnded);
    NumberRead a = read_numbers(con, 2);
    EXPECT_EQ(a.got, 1);
    EXPECT_EQ(a.v[0], 1.0);
    EXPECT_EQ(a.v[1], -102.0);
  }
}

TEST(ConsoleNumbers, WhatScanfTakesAsNumbers) {
  Console con("inf -INF nan 1e308\n-0.5 +3 .25 5.\n1e400 -1e-400 0x10 1E+2\n", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 4);
  ASSERT_EQ(a.got, 4);
  EXPECT_TRUE(std::isinf(a.v[0]) && a.v[0] > 0);
  EXPECT_TRUE(std::isinf(a.v[1]) && a.v[1] < 0);
  EXPECT_TRUE(std::isnan(a.v[2]));
  EXPECT_EQ(a.v[3], 1e308);
  NumberRead b = read_numbers(con, 4);
  ASSERT_EQ(b.got, 4);
  EXPECT_EQ(b.v[0], -0.5);
  EXPECT_EQ(b.v[1], 3.0);
  EXPECT_EQ(b.v[2], 0.25);
  EXPECT_EQ(b.v[3], 5.0);
  NumberRead c = read_numbers(con, 4);
  ASSERT_EQ(c.got, 4);
  EXPECT_TRUE(std::isinf(c.v[0]));
  EXPECT_EQ(c.v[1], 0.0);
  EXPECT_TRUE(std::signbit(c.v[1]));
  EXPECT_EQ(c.v[2], 16.0);
  EXPECT_EQ(c.v[3], 100.0);
}

TEST(ConsoleNumbers, SignsAloneAreNoNumbers) {
  Console con("- + . e5\n", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 4);
  EXPECT_EQ(a.got, 0);
  EXPECT_EQ(a.v[0], -101.0);
}

TEST(ConsoleNumbers, LastLineWithoutLineFeed) {
  Console con("3 4", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 2);
  EXPECT_EQ(a.v[0], 3.0);
  EXPECT_EQ(a.v[1], 4.0);
}

TEST(ConsoleNumbers, KeysAndNumbersShareOneInput) {
  // A key takes one byte; the numbers that follow on the same line are read.
  Console con("u1.5 2\ngk0 0 0.8 0\n1", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), 'u');
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 2);
  EXPECT_EQ(a.v[0], 1.5);
  EXPECT_EQ(con.read_key(), 'g');
  EXPECT_EQ(con.read_key(), 'k');
  NumberRead b = read_numbers(con, 4);
  EXPECT_EQ(b.got, 4);
  EXPECT_EQ(b.v[2], 0.8);
  EXPECT_EQ(con.read_key(), '1');
}

TEST(ConsoleNumbers, MegabyteLines) {
  const std::string junk(1 << 20, 'x');
  const std::string digits(1 << 20, '0');
  // A long line of junk after the values, a long line of leading zeros.
  Console con("1 2 " + junk + "\n" + digits + "7 -" + digits + "8\nz", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  NumberRead a = read_numbers(con, 2);
  EXPECT_EQ(a.got, 2);
  NumberRead b = read_numbers(con, 2);
  EXPECT_EQ(b.got, 2);
  EXPECT_EQ(b.v[0], 7.0);
  EXPECT_EQ(b.v[1], -8.0);
  EXPECT_EQ(con.read_key(), 'z');
}

TEST(ConsoleNumbers, NothingAskedNothingRead) {
  Console con("5\n", Encoding::Utf8);
  con.set_input_end_text(console_test::kInputEnded);
  double v = -1.0;
  EXPECT_EQ(con.read_numbers(&v, 0), 0);
  EXPECT_EQ(con.read_numbers(&v, 1), 1);
  EXPECT_EQ(v, 5.0);
}

// ---- End of the input ----

class ConsoleEndOfInput : public ::testing::TestWithParam<Encoding> {};

TEST_P(ConsoleEndOfInput, AtAKeyRead) {
  Console con(" y \n\n ", GetParam());
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), 'y');
  EXPECT_FALSE(con.ended());
  EXPECT_EQ(con.read_key(), std::nullopt);
  EXPECT_TRUE(con.ended());
  EXPECT_EQ(con.output(), encode_text(kInputEnded, GetParam()));
}

TEST_P(ConsoleEndOfInput, AtANumberRead) {
  Console con("\n  \n", GetParam());
  con.set_input_end_text(console_test::kInputEnded);
  double v[2] = {5.0, 6.0};
  EXPECT_EQ(con.read_numbers(v, 2), -1);
  EXPECT_EQ(v[0], 5.0);
  EXPECT_EQ(con.output(), encode_text(kInputEnded, GetParam()));
}

TEST_P(ConsoleEndOfInput, WhenOnlySomeValuesCame) {
  Console con("1.5\n", GetParam());
  con.set_input_end_text(console_test::kInputEnded);
  double v[2] = {5.0, 6.0};
  EXPECT_EQ(con.read_numbers(v, 2), -1);
  EXPECT_EQ(con.output(), encode_text(kInputEnded, GetParam()));
}

TEST_P(ConsoleEndOfInput, EmptyScript) {
  Console con("", GetParam());
  con.set_input_end_text(console_test::kInputEnded);
  con.print("prompt=");
  EXPECT_EQ(con.read_key(), std::nullopt);
  EXPECT_EQ(con.output(), "prompt=" + encode_text(kInputEnded, GetParam()));
}

// Once ended, every read ends at once, and the end is said only once.
TEST_P(ConsoleEndOfInput, StaysEndedAndSaysSoOnce) {
  Console con("k", GetParam());
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), 'k');
  char key = 0;
  int got = 0;
  double v[1] = {0};
  EXPECT_EQ(con.try_key(key), Console::Read::Ended);
  EXPECT_EQ(con.try_numbers(v, 1, got), Console::Read::Ended);
  EXPECT_EQ(con.try_key(key), Console::Read::Ended);
  EXPECT_EQ(con.output(), encode_text(kInputEnded, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(ConsoleBothEncodings, ConsoleEndOfInput,
                         ::testing::Values(Encoding::Utf8, Encoding::Cp932),
                         [](const ::testing::TestParamInfo<Encoding>& info) {
                           return std::string(info.param == Encoding::Utf8 ? "Utf8" : "Cp932");
                         });

TEST(ConsoleEndOfInputMessage, Cp932Bytes) {
  Console con("", Encoding::Cp932);
  con.set_input_end_text(console_test::kInputEnded);
  EXPECT_EQ(con.read_key(), std::nullopt);
  // "...終了します。\n"
  const std::string tail = console_test::bytes(
      {0x8F, 0x49, 0x97, 0xB9, 0x82, 0xB5, 0x82, 0xDC, 0x82, 0xB7, 0x81, 0x42, '\n'});
  ASSERT_GE(con.output().size(), tail.size() + 1);
  EXPECT_EQ(con.output().front(), '\n');
  EXPECT_EQ(con.output().substr(con.output().size() - tail.size()), tail);
}

}  // namespace
