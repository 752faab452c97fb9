// A console fed by the program (the web page's console pane): keys as a
// terminal gives them, output captured, nothing read from a file.
#include <gtest/gtest.h>

#include <string>

#include "console/console.h"

namespace {

TEST(ConsoleFed, EveryByteIsAKeyAsOnATerminal) {
  Console con(Console::Fed{}, Encoding::Utf8);
  char key = 0;
  EXPECT_EQ(con.try_key(key), Console::Read::Wait);
  con.feed(" \ny");
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, ' ');
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, '\n');
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'y');
  // No end of input: the page keeps waiting for keys.
  EXPECT_EQ(con.try_key(key), Console::Read::Wait);
  EXPECT_FALSE(con.ended());
}

TEST(ConsoleFed, NumbersWaitForTheWholeLine) {
  Console con(Console::Fed{}, Encoding::Utf8);
  double v[2] = {-1.0, -2.0};
  int got = -1;
  con.feed("3.5 4");
  EXPECT_EQ(con.try_numbers(v, 2, got), Console::Read::Wait);
  con.feed("\n");
  ASSERT_EQ(con.try_numbers(v, 2, got), Console::Read::Done);
  EXPECT_EQ(got, 2);
  EXPECT_EQ(v[0], 3.5);
  EXPECT_EQ(v[1], 4.0);
}

TEST(ConsoleFed, KeysTypedAheadAreDropped) {
  Console con(Console::Fed{}, Encoding::Utf8);
  con.feed("abc");
  con.discard_typed_ahead();
  char key = 0;
  EXPECT_EQ(con.try_key(key), Console::Read::Wait);
  con.feed("n");
  ASSERT_EQ(con.try_key(key), Console::Read::Done);
  EXPECT_EQ(key, 'n');
}

TEST(ConsoleFed, OutputIsCapturedInItsEncoding) {
  Console con(Console::Fed{}, Encoding::Utf8);
  con.print("type=");
  con.printf(" %.2f\n", 1.5);
  EXPECT_EQ(con.output(), "type= 1.50\n");
  con.clear_output();
  EXPECT_EQ(con.output(), "");
}

}  // namespace
