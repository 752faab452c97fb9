// The text catalog: every English text can stand in for its Japanese one.
#include "app/text_catalog.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "console/console.h"

namespace {

// The printf conversions of a format, in order ("%%" is text, not a conversion).
std::vector<std::string> conversions(const std::string& fmt) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') continue;
    if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < fmt.size() && std::string("-+ #0123456789.$").find(fmt[j]) != std::string::npos) ++j;
    out.push_back(fmt.substr(i, j - i + 1));
    i = j;
  }
  return out;
}

std::size_t count(const std::string& s, char c) {
  std::size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

std::size_t leading(const std::string& s, char c) {
  std::size_t n = 0;
  while (n < s.size() && s[n] == c) ++n;
  return n;
}

// CP932 bytes back to UTF-8; "?" when they are not CP932.
std::string from_cp932(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "?";
  std::string in = bytes, out(bytes.size() * 4 + 4, '\0');
  char* ip = in.data();
  char* op = out.data();
  std::size_t il = in.size(), ol = out.size();
  const std::size_t rc = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return "?";
  out.resize(out.size() - ol);
  return out;
}

class EveryText : public ::testing::TestWithParam<int> {};

TEST_P(EveryText, EnglishKeepsConversionsAndLineStructure) {
  const Text id = static_cast<Text>(GetParam());
  const std::string ja = text(id, Lang::Ja);
  const std::string en = text(id, Lang::En);
  SCOPED_TRACE(text_name(id));
  EXPECT_FALSE(en.empty());
  EXPECT_EQ(conversions(en), conversions(ja));
  if (id != Text::Help) {  // the help has lines of its own in each language
    EXPECT_EQ(count(en, '\n'), count(ja, '\n'));
  }
  EXPECT_EQ(leading(en, '\n'), leading(ja, '\n'));
  EXPECT_EQ(en.back() == '\n', ja.back() == '\n');
  EXPECT_EQ(en.back() == ' ', ja.back() == ' ');  // where an answer is typed after a prompt
  // Both can be shown on a CP932 console, character for character.
  EXPECT_EQ(from_cp932(encode_text(en, Encoding::Cp932)), en);
  EXPECT_EQ(from_cp932(encode_text(ja, Encoding::Cp932)), ja);
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryText, ::testing::Range(0, static_cast<int>(Text::Count)),
                         [](const auto& info) { return std::string(text_name(static_cast<Text>(info.param))); });

TEST(Catalog, EnglishIsEnglishAndJapaneseIsTheDefaultOutput) {
  EXPECT_STREQ(text(Text::Solved, Lang::Ja), "\n最短時間制御の切り替え時間が求められた");
  EXPECT_STREQ(text(Text::Solved, Lang::En), "\nThe switching times of the time-optimal control were found");
  // Names and ids agree, and out-of-range ids do not read outside the table.
  EXPECT_STREQ(text_name(Text::Help), "Help");
  EXPECT_STREQ(text(static_cast<Text>(-1), Lang::En), text(static_cast<Text>(0), Lang::En));
  EXPECT_STREQ(text(Text::Count, Lang::Ja), text(static_cast<Text>(0), Lang::Ja));
}

}  // namespace
