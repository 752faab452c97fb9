// The task options on the command line: --robot, --gravity, --ratios,
// --points, --elbow, their values, and the line a bad one gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"

namespace {

using app::ParseAction;
using app::ParseResult;
using app::TaskItem;

ParseResult parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tocsim");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return app::parse_options(static_cast<int>(args.size()), argv.data());
}

// Status 2 and exactly this one line.
void expect_line(const std::vector<std::string>& args, const std::string& line) {
  const ParseResult r = parse(args);
  EXPECT_EQ(r.action, ParseAction::Fail);
  EXPECT_EQ(r.exit_status, 2);
  EXPECT_EQ(r.text, line);
}

TEST(OptionsTask, NoneGivenAnswersNothing) {
  const ParseResult r = parse({"--no-window"});
  ASSERT_EQ(r.action, ParseAction::Run);
  EXPECT_EQ(r.options.task, app::TaskOptions{});
  EXPECT_EQ(app::task_answers(r.options.task), "");
}

TEST(OptionsTask, EveryItemWithItsValue) {
  const ParseResult r = parse({"--robot", "b", "--gravity", "g", "--ratios", "40,25.5", "--points",
                               "0.6,0.2,-0.2,6e-1", "--elbow", "2", "--no-window"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  const app::TaskOptions& t = r.options.task;
  EXPECT_EQ(t.robot, 'b');
  EXPECT_EQ(t.gravity, 'g');
  EXPECT_EQ(t.ratios, (std::vector<std::string>{"40", "25.5"}));
  EXPECT_EQ(t.points, (std::vector<std::string>{"0.6", "0.2", "-0.2", "6e-1"}));
  EXPECT_EQ(t.elbow, '2');
  EXPECT_TRUE(r.options.no_window);
  EXPECT_EQ(app::task_answers(t), "b\ng\ny\ny\n40 25.5\ng\ny\n0.6 0.2 -0.2 6e-1\n2\n");
}

TEST(OptionsTask, EqualsSignsAbbreviationsAndAnyOrder) {
  const ParseResult r =
      parse({"--points=0.8,0,0.2,0.8", "--grav=h", "--lang", "en", "--robot=a"});
  ASSERT_EQ(r.action, ParseAction::Run) << r.text;
  EXPECT_EQ(app::task_answers(r.options.task), "a\nh\ny\nz\nh\ny\n0.8 0 0.2 0.8\n");
  // The last of an option given twice counts.
  EXPECT_EQ(parse({"--robot", "a", "--robot", "b"}).options.task.robot, 'b');
  // A negative number is a value, not an option.
  EXPECT_EQ(parse({"--robot", "a", "--gravity", "h", "--points", "-0.5,0.5,0.5,0.5"})
                .options.task.points[0],
            "-0.5");
}

TEST(OptionsTask, BadValuesNameTheOptionAndPointToHelp) {
  expect_line({"--lang", "en", "--ratios", "30"},
              "tocsim: --ratios: bad value '30' (U1,U2); see 'tocsim --help'\n");
  expect_line({"--lang", "en", "--points", "a,b,c,d"},
              "tocsim: --points: bad value 'a,b,c,d' (X0,Y0,XF,YF); see 'tocsim --help'\n");
  expect_line({"--robot", "x", "--lang", "en"},
              "tocsim: --robot: bad value 'x' (a|b); see 'tocsim --help'\n");
  expect_line({"--lang=en", "--elbow", "3"},
              "tocsim: --elbow: bad value '3' (1|2); see 'tocsim --help'\n");
  expect_line({"--lang=en", "--gravity", "G"},
              "tocsim: --gravity: bad value 'G' (g|h); see 'tocsim --help'\n");
  expect_line({"--lang=en", "--robot", "a", "--gravity", "h", "--ratios", "30,nan"},
              "tocsim: --ratios: bad value '30,nan' (U1,U2); see 'tocsim --help'\n");
  expect_line({"--lang=en", "--robot", "a", "--gravity", "h", "--points", "0.8,0,0.2"},
              "tocsim: --points: bad value '0.8,0,0.2' (X0,Y0,XF,YF); see 'tocsim --help'\n");
  expect_line({"--lang=en", "--points"},
              "tocsim: option '--points' needs an argument; see 'tocsim --help'\n");
  expect_line({"--ratios", "30"},
              "tocsim: --ratios の値 '30' は使えません (U1,U2)。'tocsim --help' を参照してください\n");
}

TEST(OptionsTask, AnItemWithoutThoseAskedBeforeItShowsWhatItNeeds) {
  expect_line({"--lang", "en", "--points", "0.8,0,0.2,0.8"},
              "tocsim: --points: bad value '0.8,0,0.2,0.8' (--robot a|b --gravity g|h --points "
              "X0,Y0,XF,YF); see 'tocsim --help'\n");
  expect_line({"--lang", "en", "--gravity", "h"},
              "tocsim: --gravity: bad value 'h' (--robot a|b --gravity g|h); see 'tocsim --help'\n");
  expect_line({"--lang", "en", "--robot", "a", "--ratios", "30,30"},
              "tocsim: --ratios: bad value '30,30' (--robot a|b --gravity g|h --ratios U1,U2); see "
              "'tocsim --help'\n");
  expect_line({"--lang", "en", "--robot", "a", "--gravity", "h", "--points", "1,0,0,1", "--elbow",
               "1"},
              "tocsim: --elbow: bad value '1' (--robot b --gravity g|h --points X0,Y0,XF,YF "
              "--elbow 1|2); see 'tocsim --help'\n");
  expect_line({"--lang", "en", "--robot", "b", "--gravity", "h", "--elbow", "2"},
              "tocsim: --elbow: bad value '2' (--robot b --gravity g|h --points X0,Y0,XF,YF "
              "--elbow 1|2); see 'tocsim --help'\n");
  // A bad value anywhere on the line comes first.
  expect_line({"--lang", "en", "--points", "1,0,0,1", "--view", "x"},
              "tocsim: --view: bad value 'x' (classic|lesson|sweep); see 'tocsim --help'\n");
  // --help does not hide it.
  EXPECT_EQ(parse({"--help", "--gravity", "h"}).action, ParseAction::Fail);
}

TEST(OptionsTask, TheHelpNamesEveryItemInBothLanguages) {
  for (const app::Language lang : {app::Language::Ja, app::Language::En}) {
    const std::string help = app::help_text(lang);
    for (const char* option : {"--robot a|b", "--gravity g|h", "--ratios U1,U2",
                               "--points X0,Y0,XF,YF", "--elbow 1|2"})
      EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

}  // namespace
