// --json FILE in the dialogue: one line per computation, found or not, in the
// run's own file; a file that was there before the run, or a folder that is
// missing, fails the run with the line in the dialogue and on standard error.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/dialogue.h"
#include "app/dialogue_texts.h"
#include "app/json_reader.h"
#include "app/options.h"
#include "app/startup.h"
#include "app/temp_folder.h"

namespace {

using namespace dialogue_texts;
using testjson::Value;

Scenario after_startup(char robot, char gravity) {
  Scenario s{};
  Console quiet("", Encoding::Utf8);
  { Ui sp{quiet, Lang::Ja}; initialset(s, sp); }
  select_robot(s, robot);
  select_gravity(s, gravity);
  s.elbow = parse_elbow('1');
  return s;
}

// Every line of the file read as JSON; a line that is not is a failure.
std::vector<Value> json_lines(const std::string& path) {
  const std::string bytes = testfs::read_file(path);
  EXPECT_TRUE(bytes.empty() || bytes.back() == '\n') << "the last line is not ended";
  std::vector<Value> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    Value v;
    std::string error;
    EXPECT_TRUE(testjson::parse(line, v, &error)) << error << "\n" << line;
    lines.push_back(v);
  }
  return lines;
}

const std::string kNotSaved = "保存できませんでした: cannot write ";

app::ParseResult parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tocsim");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return app::parse_options(static_cast<int>(args.size()), argv.data());
}

}  // namespace

TEST(JsonOption, CommandLine) {
  EXPECT_TRUE(parse({}).options.json_path.empty());
  const app::ParseResult r = parse({"--json", "runs.jsonl", "--csv", "runs.csv"});
  ASSERT_EQ(r.action, app::ParseAction::Run) << r.text;
  EXPECT_EQ(r.options.json_path, "runs.jsonl");
  EXPECT_EQ(r.options.csv_path, "runs.csv");
  EXPECT_EQ(parse({"--json=a b.jsonl"}).options.json_path, "a b.jsonl");
  EXPECT_EQ(parse({"--json", "-runs.jsonl"}).options.json_path, "-runs.jsonl");
  EXPECT_EQ(parse({"--js", "x.jsonl"}).options.json_path, "x.jsonl");  // a unique abbreviation
  EXPECT_EQ(parse({"--json", "a", "--json", "b"}).options.json_path, "b");
  for (const app::ParseResult& bad : {parse({"--json"}), parse({"--json="})}) {
    EXPECT_EQ(bad.action, app::ParseAction::Fail);
    EXPECT_EQ(bad.exit_status, app::kExitUsage);
    EXPECT_NE(bad.text.find("--json"), std::string::npos) << bad.text;
  }
}

// The help names the option beside --csv, in both languages.
TEST(JsonOption, Help) {
  for (Lang lang : {Lang::Ja, Lang::En}) {
    const std::string h = app::help_text(lang);
    const std::size_t csv = h.find("\n  --csv FILE "), json = h.find("\n  --json FILE ");
    ASSERT_NE(json, std::string::npos);
    EXPECT_LT(csv, json);
    EXPECT_EQ(h.find("\n  --", csv + 1), json);  // the entry right after --csv
  }
}

TEST(JsonOption, TwoComputationsInOneRunGiveTwoLines) {
  testfs::TempFolder dir;
  Scenario s = after_startup('a', 'h');
  Console con("n", Encoding::Utf8);
  Ui out{con, Lang::Ja};
  out.json.path = dir / "runs.jsonl";
  run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
  EXPECT_TRUE(out.json.created);
  const double first_tf = s.cyl_run.tt[3];
  // Gravity on: the same file gets a second line.
  select_gravity(s, 'g');
  run_to_end(run_condition_dialogue(s, out, DialogueEntry::Recompute), out);
  EXPECT_FALSE(out.json.failed);
  EXPECT_EQ(con.error_output(), "");
  EXPECT_EQ(count(con.output(), "保存できませんでした"), 0u);  // silent when written

  const std::vector<Value> lines = json_lines(out.json.path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["gravity"].text, "h");
  EXPECT_EQ(lines[1]["gravity"].text, "g");
  EXPECT_TRUE(lines[0]["found"].boolean);
  EXPECT_TRUE(lines[1]["found"].boolean);
  EXPECT_EQ(lines[0]["tf"].number, first_tf);
  EXPECT_EQ(lines[1]["tf"].number, s.cyl_run.tt[3]);
  EXPECT_NE(lines[0]["tf"].number, lines[1]["tf"].number);
  EXPECT_EQ(lines[1]["tfm"].number, s.tfm);
  EXPECT_EQ(dir.entries(), (std::set<std::string>{"runs.jsonl"}));  // no temporary left
}

// Ratios 0 0 give no motion; the retry with 30 30 does: both computations
// are in the file, the failed one first.
TEST(JsonOption, AFailedComputationIsALineToo) {
  testfs::TempFolder dir;
  Scenario s = after_startup('a', 'h');
  Console con("y y 0 0\nh n y a y 30 30\nh n", Encoding::Utf8);
  Ui out{con, Lang::Ja};
  out.json.path = dir / "runs.jsonl";
  run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
  ASSERT_EQ(count(con.output(), kNoSolution), 1u);
  ASSERT_EQ(count(con.output(), kSolved), 1u);
  const std::vector<Value> lines = json_lines(out.json.path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[0]["found"].boolean);
  EXPECT_EQ(lines[0]["ratios"][0].text, "0");
  EXPECT_TRUE(lines[0]["method"].is_null());
  EXPECT_TRUE(lines[0]["tf"].is_null());
  EXPECT_TRUE(lines[0]["end_error"].is_null());
  EXPECT_TRUE(lines[1]["found"].boolean);
  EXPECT_EQ(lines[1]["ratios"][0].text, "30");
  EXPECT_EQ(lines[1]["tf"].number, s.cyl_run.tt[3]);
}

TEST(JsonOption, AFileThatWasThereIsLeftAsItIsAndFailsTheRun) {
  testfs::TempFolder dir;
  const std::string foreign = dir / "mine.jsonl";
  testfs::put_file(foreign, "keep me\n");
  Scenario s = after_startup('a', 'h');
  Console con("n", Encoding::Utf8);
  Ui out{con, Lang::Ja};
  out.json.path = foreign;
  run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
  EXPECT_EQ(testfs::read_file(foreign), "keep me\n");
  EXPECT_TRUE(out.json.failed);
  EXPECT_FALSE(out.csv_failed);
  EXPECT_EQ(count(con.output(), "\n" + kNotSaved + foreign + ": File exists"), 1u);
  EXPECT_EQ(con.error_output(), kNotSaved + foreign + ": File exists\n");
  EXPECT_TRUE(ends_with(con.output(), kToWindow));  // the dialogue went on to its end
  EXPECT_EQ(dir.entries(), (std::set<std::string>{"mine.jsonl"}));
}

TEST(JsonOption, AMissingFolderFailsTheRun) {
  testfs::TempFolder dir;
  const std::string path = dir / "nowhere/runs.jsonl";
  Scenario s = after_startup('b', 'h');
  Console con("n", Encoding::Utf8);
  Ui out{con, Lang::En};
  out.json.path = path;
  run_to_end(run_condition_dialogue(s, out, DialogueEntry::Heading), out);
  EXPECT_TRUE(out.json.failed);
  EXPECT_EQ(con.error_output(), "Not saved: cannot write " + path + ": No such file or directory\n");
  EXPECT_EQ(count(con.output(), "\nNot saved: cannot write " + path), 1u);
  EXPECT_EQ(dir.entries(), (std::set<std::string>{}));
}
