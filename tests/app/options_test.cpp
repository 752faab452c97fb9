// The command line: every option, its values, and what a bad line gets.
#include "app/options.h"

#include <getopt.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "console/console_test_support.h"

#include <string>
#include <vector>

namespace {

using app::EncodingChoice;
using app::Language;
using app::ParseAction;
using app::ParseResult;
using app::SolverChoice;

// Parses "tocsim" followed by the given arguments.
ParseResult parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tocsim");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return app::parse_options(static_cast<int>(args.size()), argv.data());
}

// A failed parse: status 2 and one line naming the culprit and pointing to --help.
void expect_failure(const ParseResult& r, const std::string& named) {
  EXPECT_EQ(r.action, ParseAction::Fail);
  EXPECT_EQ(r.exit_status, 2);
  ASSERT_FALSE(r.text.empty());
  EXPECT_EQ(r.text.find('\n'), r.text.size() - 1) << r.text;  // exactly one line
  EXPECT_NE(r.text.find(named), std::string::npos) << r.text;
  EXPECT_NE(r.text.find("--help"), std::string::npos) << r.text;
}

TEST(Options, NoArgumentsRunWithTheDefaults) {
  const ParseResult r = parse({});
  EXPECT_EQ(r.action, ParseAction::Run);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_TRUE(r.text.empty());
  EXPECT_EQ(r.options.lang, Language::Ja);
  EXPECT_EQ(r.options.encoding, EncodingChoice::Auto);
  EXPECT_FALSE(r.options.no_window);
  EXPECT_TRUE(r.options.csv_path.empty());
  EXPECT_EQ(r.options.solver, SolverChoice::Optimal);
}

TEST(Options, EveryOptionWithItsValueIsTaken) {
  const ParseResult r = parse({"--lang", "en", "--encoding", "cp932", "--no-window", "--csv",
                               "out.csv", "--solver", "reference"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  EXPECT_EQ(r.options.lang, Language::En);
  EXPECT_EQ(r.options.encoding, EncodingChoice::Cp932);
  EXPECT_TRUE(r.options.no_window);
  EXPECT_EQ(r.options.csv_path, "out.csv");
  EXPECT_EQ(r.options.solver, SolverChoice::Reference);
}

TEST(Options, EveryValueOfEachChoice) {
  EXPECT_EQ(parse({"--lang", "ja"}).options.lang, Language::Ja);
  EXPECT_EQ(parse({"--lang", "en"}).options.lang, Language::En);
  EXPECT_EQ(parse({"--encoding", "auto"}).options.encoding, EncodingChoice::Auto);
  EXPECT_EQ(parse({"--encoding", "utf8"}).options.encoding, EncodingChoice::Utf8);
  EXPECT_EQ(parse({"--encoding", "cp932"}).options.encoding, EncodingChoice::Cp932);
  EXPECT_EQ(parse({"--solver", "reference"}).options.solver, SolverChoice::Reference);
  EXPECT_EQ(parse({"--solver", "extended"}).options.solver, SolverChoice::Extended);
  EXPECT_EQ(parse({"--solver", "optimal"}).options.solver, SolverChoice::Optimal);
  EXPECT_EQ(parse({}).options.solver, SolverChoice::Optimal);
  EXPECT_EQ(parse({}).options.view, ViewMode::Classic);
  EXPECT_EQ(parse({"--view", "lesson"}).options.view, ViewMode::Lesson);
  EXPECT_EQ(parse({"--view=classic"}).options.view, ViewMode::Classic);
  EXPECT_EQ(parse({"--view", "sweep"}).options.view, ViewMode::Sweep);
  EXPECT_EQ(parse({"--sweep", "s.csv"}).options.sweep_path, "s.csv");
  EXPECT_EQ(parse({"--sweep", ""}).action, ParseAction::Fail);
}

TEST(Options, ValueAfterAnEqualsSign) {
  const ParseResult r = parse({"--lang=en", "--csv=a b.csv", "--solver=reference"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  EXPECT_EQ(r.options.lang, Language::En);
  EXPECT_EQ(r.options.csv_path, "a b.csv");
  EXPECT_EQ(r.options.solver, SolverChoice::Reference);
}

TEST(Options, CsvFileMayStartWithADash) {
  const ParseResult r = parse({"--csv", "-out.csv"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  EXPECT_EQ(r.options.csv_path, "-out.csv");
}

TEST(Options, TheLastOfARepeatedOptionCounts) {
  const ParseResult r = parse({"--lang", "en", "--lang", "ja", "--csv", "a.csv", "--csv", "b.csv"});
  EXPECT_EQ(r.options.lang, Language::Ja);
  EXPECT_EQ(r.options.csv_path, "b.csv");
}

TEST(Options, UniqueAbbreviationsOfLongOptions) {
  const ParseResult r = parse({"--no", "--la", "en"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  EXPECT_TRUE(r.options.no_window);
  EXPECT_EQ(r.options.lang, Language::En);
}

TEST(Options, HelpIsJapaneseByDefaultAndEndsWithStatusZero) {
  const ParseResult r = parse({"--help"});
  EXPECT_EQ(r.action, ParseAction::ShowHelp);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.text, app::help_text(Language::Ja));
  EXPECT_NE(r.text.find("使い方"), std::string::npos);
}

TEST(Options, HelpFollowsLangWhereverItStands) {
  EXPECT_EQ(parse({"--lang", "en", "--help"}).text, app::help_text(Language::En));
  EXPECT_EQ(parse({"--help", "--lang", "en"}).text, app::help_text(Language::En));
  EXPECT_EQ(parse({"--help", "--lang", "ja"}).text, app::help_text(Language::Ja));
}

TEST(Options, HelpNamesEveryOptionKeyAndStatus) {
  for (Language lang : {Language::En, Language::Ja}) {
    const std::string h = app::help_text(lang);
    for (const char* word : {"--help", "--version", "--lang ja|en", "--encoding auto|utf8|cp932",
                             "--no-window", "--csv FILE", "--solver optimal|reference|extended", "--json FILE",
                             "--view classic|lesson|sweep", "--sweep FILE"})
      EXPECT_NE(h.find(word), std::string::npos) << word;
    for (const char* key : {"a b ", "\n  u ", "g h ", "\n  k ", "space", "+ -", "s, Right", "Left",
                            "0, Home", "End", "w W", "\n  v ", "\n  f ", "\n  r ", "\n  p ", "\n  x ", "ESC"})
      EXPECT_NE(h.find(key), std::string::npos) << key;
    for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  "})
      EXPECT_NE(h.find(status), std::string::npos) << status;
  }
  EXPECT_NE(app::help_text(Language::En), app::help_text(Language::Ja));
}

TEST(Options, VersionPrintsTheProjectVersion) {
  const ParseResult r = parse({"--version"});
  EXPECT_EQ(r.action, ParseAction::ShowVersion);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(r.text, "tocsim 1.0.0\n");
  EXPECT_EQ(app::version_line(), "tocsim 1.0.0\n");
}

TEST(Options, TheFirstOfHelpAndVersionWins) {
  EXPECT_EQ(parse({"--version", "--help"}).action, ParseAction::ShowVersion);
  EXPECT_EQ(parse({"--help", "--version"}).action, ParseAction::ShowHelp);
}

TEST(Options, UnknownLongOption) {
  expect_failure(parse({"--bogus"}), "'--bogus'");
  expect_failure(parse({"--bogus=1"}), "'--bogus'");
}

TEST(Options, UnknownShortOption) {
  expect_failure(parse({"-x"}), "'-x'");
  expect_failure(parse({"-h"}), "'-h'");
}

TEST(Options, BadValues) {
  expect_failure(parse({"--lang", "fr"}), "'fr'");
  expect_failure(parse({"--lang", "EN"}), "--lang");
  expect_failure(parse({"--encoding", "sjis"}), "--encoding");
  expect_failure(parse({"--encoding", "UTF-8"}), "'UTF-8'");
  expect_failure(parse({"--solver", "fast"}), "--solver");
  expect_failure(parse({"--view", "Lesson"}), "--view");
  expect_failure(parse({"--csv="}), "--csv");
  expect_failure(parse({"--lang="}), "--lang");
}

TEST(Options, MissingArguments) {
  for (const char* opt : {"--lang", "--encoding", "--csv", "--solver", "--view"}) {
    const ParseResult ja = parse({opt});
    expect_failure(ja, std::string("'") + opt + "'");
    EXPECT_NE(ja.text.find("引数が必要"), std::string::npos) << ja.text;
    const ParseResult en = parse({"--lang", "en", opt});
    EXPECT_EQ(en.text, std::string("tocsim: option '") + opt +
                           "' needs an argument; see 'tocsim --help'\n");
  }
}

TEST(Options, FlagsTakeNoArgument) {
  expect_failure(parse({"--no-window=yes"}), "'--no-window'");
  expect_failure(parse({"--help=1"}), "'--help'");
  expect_failure(parse({"--version=2"}), "'--version'");
}

TEST(Options, StrayArguments) {
  expect_failure(parse({"file.txt"}), "'file.txt'");
  expect_failure(parse({"--no-window", "x", "--lang", "en"}), "'x'");
  expect_failure(parse({"-"}), "'-'");
  expect_failure(parse({"--", "--lang"}), "'--lang'");
}

TEST(Options, AnErrorWinsOverHelpAndVersion) {
  EXPECT_EQ(parse({"--help", "--bogus"}).action, ParseAction::Fail);
  EXPECT_EQ(parse({"--version", "--lang", "de"}).action, ParseAction::Fail);
}

TEST(Options, TheFirstErrorIsReported) {
  const ParseResult r = parse({"--lang", "fr", "--bogus"});
  expect_failure(r, "'fr'");
  EXPECT_EQ(r.text.find("--bogus"), std::string::npos) << r.text;
}

TEST(Options, ErrorLineFollowsLang) {
  const ParseResult ja = parse({"--bogus"});
  EXPECT_NE(ja.text.find("不明なオプション"), std::string::npos) << ja.text;
  const ParseResult en = parse({"--bogus", "--lang", "en"});
  EXPECT_EQ(en.text, "tocsim: unknown option '--bogus'; see 'tocsim --help'\n");
}

TEST(Options, EndOfOptionsMarkerAloneIsAccepted) {
  EXPECT_EQ(parse({"--no-window", "--"}).action, ParseAction::Run);
}

TEST(Options, EachParseStartsAfresh) {
  // getopt keeps its scan position in globals: neither an earlier parse nor
  // another user of getopt may leave a trace.
  expect_failure(parse({"--lang", "fr"}), "'fr'");
  optind = 3;
  const ParseResult r = parse({"--lang", "en", "--no-window"});
  EXPECT_EQ(r.action, ParseAction::Run);
  EXPECT_EQ(r.options.lang, Language::En);
  EXPECT_TRUE(r.options.no_window);
}

TEST(Options, TheCallersArgumentsAreLeftInOrder) {
  std::vector<std::string> args = {"tocsim", "x", "--no-window", "y"};
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  const std::vector<const char*> before = argv;
  argv.push_back(nullptr);
  app::parse_options(4, argv.data());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(argv[i], before[i]);
}

TEST(Options, ConsoleEncodingFromTheOption) {
  app::Options o;
  o.encoding = EncodingChoice::Utf8;
  EXPECT_EQ(app::console_encoding(o), Encoding::Utf8);
  o.encoding = EncodingChoice::Cp932;
  EXPECT_EQ(app::console_encoding(o), Encoding::Cp932);
  o.encoding = EncodingChoice::Auto;
  EXPECT_EQ(app::console_encoding(o), detect_console_encoding());
}

// Auto: Japanese follows the locale's character set; English on a terminal
// that is not UTF-8 is plain ASCII. An explicit choice decides in both.
TEST(Options, EnglishOutsideUtf8IsPlainAscii) {
  console_test::LocaleEnvironment env;
  env.set("LANG", "C");
  app::Options o;
  o.lang = Language::En;
  EXPECT_EQ(app::console_encoding(o), Encoding::Ascii);
  o.lang = Language::Ja;
  EXPECT_EQ(app::console_encoding(o), Encoding::Cp932);
  o.lang = Language::En;
  o.encoding = EncodingChoice::Cp932;
  EXPECT_EQ(app::console_encoding(o), Encoding::Cp932);
  o.encoding = EncodingChoice::Utf8;
  EXPECT_EQ(app::console_encoding(o), Encoding::Utf8);
  o.encoding = EncodingChoice::Auto;
  env.set("LC_ALL", "C.UTF-8");
  EXPECT_EQ(app::console_encoding(o), Encoding::Utf8);
}

// Every English console text has a plain ASCII form with nothing lost to '?'.
TEST(Options, EveryEnglishTextSpellsOutInAscii) {
  for (int i = 0; i < static_cast<int>(Text::Count); ++i) {
    const std::string utf8 = text(static_cast<Text>(i), Language::En);
    const std::string ascii = encode_text(utf8, Encoding::Ascii);
    const auto marks = [](const std::string& t) { return std::count(t.begin(), t.end(), '?'); };
    EXPECT_EQ(marks(ascii), marks(utf8)) << i << ": " << ascii;
    for (char c : ascii) ASSERT_LT(static_cast<unsigned char>(c), 0x80u) << i;
  }
}

}  // namespace
