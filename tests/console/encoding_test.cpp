// The terminal's encoding, from the locale, and UTF-8 -> CP932 conversion.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include <iconv.h>

#include "console/console.h"
#include "console_test_support.h"

using console_test::bytes;
using console_test::LocaleEnvironment;

namespace {

// Usually only C, C.utf8 and POSIX are installed; every other name makes
// setlocale fail, and the name alone must then decide. Names of installed
// locales are skipped.
bool locale_installed(const char* name) {
  const std::string before = std::setlocale(LC_CTYPE, nullptr);
  const bool ok = std::setlocale(LC_CTYPE, name) != nullptr;
  std::setlocale(LC_CTYPE, before.c_str());
  return ok;
}

class EncodingDetection : public ::testing::Test {
 protected:
  LocaleEnvironment env_;
};

TEST_F(EncodingDetection, UninstalledLocaleNamedUtf8MeansUtf8) {
  for (const char* name : {"ja_JP.UTF-8", "ja_JP.utf8", "de_DE.Utf-8", "en_US.UTF8",
                           "ja_JP.UTF-8@cjknarrow"}) {
    SCOPED_TRACE(name);
    if (locale_installed(name)) continue;  // an installed locale decides by itself
    env_.set("LC_ALL", name);
    EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);
  }
}

TEST_F(EncodingDetection, UninstalledLocaleWithOtherCharacterSetMeansCp932) {
  for (const char* name : {"ja_JP.SJIS", "ja_JP.eucJP", "ja_JP", "ja_JP.UTF-16", "ja_JP.UTF-8x",
                           "ja_JP.SJIS@utf8"}) {  // after '@' comes a modifier, not the character set
    SCOPED_TRACE(name);
    if (locale_installed(name)) continue;  // an installed locale decides by itself
    env_.set("LC_ALL", name);
    EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);
  }
}

TEST_F(EncodingDetection, FirstNonEmptyVariableDecides) {
  env_.set("LC_CTYPE", "ja_JP.SJIS");
  env_.set("LANG", "ja_JP.UTF-8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);

  env_.set("LC_ALL", "ja_JP.UTF-8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);

  // Empty variables count as not set.
  env_.set("LC_ALL", "");
  env_.set("LC_CTYPE", "");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);  // from LANG

  env_.clear();
  env_.set("LC_CTYPE", "ja_JP.UTF-8");
  env_.set("LANG", "ja_JP.SJIS");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);

  // LC_MESSAGES and LC_NUMERIC say nothing about the character set.
  env_.clear();
  env_.set("LC_MESSAGES", "ja_JP.UTF-8");
  env_.set("LC_NUMERIC", "ja_JP.UTF-8");
  env_.set("LANG", "ja_JP.SJIS");
  EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);
}

TEST_F(EncodingDetection, InstalledLocaleTellsItsCharacterSet) {
  env_.set("LC_ALL", "C.utf8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);
  env_.set("LC_ALL", "C.UTF-8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);

  // An installed ASCII locale wins over a UTF-8 name further down.
  env_.set("LC_ALL", "C");
  env_.set("LANG", "ja_JP.UTF-8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);
  env_.set("LC_ALL", "POSIX");
  EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);

  env_.clear();
  EXPECT_EQ(detect_console_encoding(), Encoding::Cp932);  // plain "C"
  env_.set("LANG", "C.utf8");
  EXPECT_EQ(detect_console_encoding(), Encoding::Utf8);
}

TEST_F(EncodingDetection, OnlyCharacterClassificationFollowsTheEnvironment) {
  std::setlocale(LC_NUMERIC, "C");
  env_.set("LC_ALL", "C.utf8");
  env_.set("LC_NUMERIC", "C.utf8");
  ASSERT_EQ(detect_console_encoding(), Encoding::Utf8);
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_STRNE(std::setlocale(LC_CTYPE, nullptr), "C");  // now the C.utf8 locale
}

// ---- UTF-8 -> CP932 ----
// Expected bytes come from the JIS X 0208 row/cell of each character and the
// Shift_JIS transform (e.g. 重 = JIS 0x3D45 -> 0x8F 0x64).

TEST(EncodingCp932, JapaneseTextsBecomeShiftJisBytes) {
  EXPECT_EQ(encode_text("重力なし", Encoding::Cp932),
            bytes({0x8F, 0x64, 0x97, 0xCD, 0x82, 0xC8, 0x82, 0xB5}));
  EXPECT_EQ(encode_text("終了します。", Encoding::Cp932),
            bytes({0x8F, 0x49, 0x97, 0xB9, 0x82, 0xB5, 0x82, 0xDC, 0x82, 0xB7, 0x81, 0x42}));
  // Mixed with ASCII, line feeds and printf conversions.
  EXPECT_EQ(encode_text("\n重力 %c\n", Encoding::Cp932),
            bytes({0x0A, 0x8F, 0x64, 0x97, 0xCD}) + " %c\n");
}

TEST(EncodingCp932, FullWidthAndGreekSymbols) {
  struct Case {
    const char* utf8;
    std::string cp932;
  };
  const Case cases[] = {
      {"（", bytes({0x81, 0x69})}, {"）", bytes({0x81, 0x6A})}, {"･", bytes({0xA5})},
      {"Φ", bytes({0x83, 0xB3})},  {"τ", bytes({0x83, 0xD1})},  {"α", bytes({0x83, 0xBF})},
      {"π", bytes({0x83, 0xCE})},  {"°", bytes({0x81, 0x8B})},  {"　", bytes({0x81, 0x40})},
      {"．", bytes({0x81, 0x44})}, {"Ｊ", bytes({0x82, 0x69})}, {"：", bytes({0x81, 0x46})},
      {"，", bytes({0x81, 0x43})}, {"？", bytes({0x81, 0x48})}, {"・", bytes({0x81, 0x45})},
      {"ー", bytes({0x81, 0x5B})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(encode_text(c.utf8, Encoding::Cp932), c.cp932);
  }
}

TEST(EncodingCp932, AsciiStaysAsItIsBackslashIncluded) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  EXPECT_EQ(encode_text(ascii, Encoding::Cp932), ascii);
  EXPECT_EQ(encode_text("C:\\tocsim\\", Encoding::Cp932), "C:\\tocsim\\");
  // ソ has 0x5C as its second byte; nothing is escaped or altered around it.
  EXPECT_EQ(encode_text("ソ\\", Encoding::Cp932), bytes({0x83, 0x5C, 0x5C}));
}

// Every character of the program's console texts has a CP932 code: the
// converted text has one or two bytes per character and converts back.
TEST(EncodingCp932, EveryCharacterOfTheConsoleTextsConverts) {
  const std::string chars =
      "°Φαπτ　いえかがきしすせそたちてでとどなにのはへまめやよらりるれわをアィキクシタットドバフボミムモ"
      "ュョルレロワン・ー上下中了今他以仮件位作先入全円出切初別制刻力加動只可合和回図垂場変大始学定小"
      "平度座従御心性慣慮戻折択拡描換操方旧時曲更替最有期条標機比水求決減点無画直短立端第筒算節終継続"
      "縮置考肘解計記設質軌転較追逆速運道遠選重量長間関集面飽（），．：？Ｊ･";
  std::size_t count = 0;
  for (unsigned char c : chars) count += (c & 0xC0) != 0x80;
  const std::string out = encode_text(chars, Encoding::Cp932);
  EXPECT_EQ(out.size(), 2 * count - 1);  // ･ is the one half-width character

  iconv_t back = iconv_open("UTF-8", "CP932");
  ASSERT_NE(back, reinterpret_cast<iconv_t>(-1));
  std::string decoded(out.size() * 4, '\0');
  char* in = const_cast<char*>(out.data());
  std::size_t in_left = out.size();
  char* dst = decoded.data();
  std::size_t dst_left = decoded.size();
  const std::size_t r = iconv(back, &in, &in_left, &dst, &dst_left);
  iconv_close(back);
  ASSERT_NE(r, static_cast<std::size_t>(-1));
  decoded.resize(decoded.size() - dst_left);
  EXPECT_EQ(decoded, chars);
}

TEST(EncodingCp932, UnconvertibleAndMalformedBytesAreKeptWithTheRest) {
  // U+0105 and an emoji have no CP932 code: their UTF-8 bytes stay.
  EXPECT_EQ(encode_text("aąb", Encoding::Cp932), "a\xC4\x85" "b");
  EXPECT_EQ(encode_text("重😀力", Encoding::Cp932),
            bytes({0x8F, 0x64, 0xF0, 0x9F, 0x98, 0x80, 0x97, 0xCD}));
  // A byte that is no UTF-8 at all, a stray continuation byte.
  EXPECT_EQ(encode_text("重\xFF力", Encoding::Cp932), bytes({0x8F, 0x64, 0xFF, 0x97, 0xCD}));
  EXPECT_EQ(encode_text("\x80重", Encoding::Cp932), bytes({0x80, 0x8F, 0x64}));
  // A sequence cut off at the end of the text.
  EXPECT_EQ(encode_text("重\xE9\x87", Encoding::Cp932), bytes({0x8F, 0x64, 0xE9, 0x87}));
  // A cut-off sequence in the middle does not swallow what follows.
  EXPECT_EQ(encode_text("\xE9重", Encoding::Cp932), bytes({0xE9, 0x8F, 0x64}));
}

TEST(EncodingCp932, LongTextConvertsCompletely) {
  std::string text, expected;
  for (int i = 0; i < 5000; ++i) {
    text += "重a";
    expected += bytes({0x8F, 0x64, 'a'});
  }
  EXPECT_EQ(encode_text(text, Encoding::Cp932), expected);
  EXPECT_EQ(encode_text("", Encoding::Cp932), "");
}

TEST(EncodingUtf8, TextIsLeftAlone) {
  for (const std::string& text : {std::string("重力なし（･Φ）\\"), std::string("a\xFFz"), std::string()}) {
    EXPECT_EQ(encode_text(text, Encoding::Utf8), text);
  }
}

}  // namespace

namespace {

// English on a terminal that is not UTF-8: the letters outside ASCII are
// spelled out, anything else becomes '?', and nothing beyond ASCII remains.
TEST(EncodingAscii, GreekLettersAreSpelledOut) {
  EXPECT_EQ(encode_text("τ1max= α1 Φ0 (π/2) Ω ω", Encoding::Ascii),
            "tau1max= alpha1 Phi0 (pi/2) Omega omega");
  EXPECT_EQ(encode_text("90° in 2[s]", Encoding::Ascii), "90deg in 2[s]");
  EXPECT_EQ(encode_text("ΑΡΣ ας", Encoding::Ascii), "AlphaRhoSigma alphasigma");
}

TEST(EncodingAscii, OtherCharactersAndBrokenBytesBecomeQuestionMarks) {
  EXPECT_EQ(encode_text("日本 kg･m", Encoding::Ascii), "?? kg?m");
  EXPECT_EQ(encode_text(std::string("a\xFF") + "b\xCF", Encoding::Ascii), "a?b?");
  const std::string all = encode_text("τ\x80\xC3\xA9\xF0\x9F\x99\x82~", Encoding::Ascii);
  for (char c : all) EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << all;
  EXPECT_EQ(all, "tau???~");
}

}  // namespace
