// The JSON line of one computation read back with a strict reader: every
// field in its place for a four-interval motion, a motion of the direct
// method with an arc inside the limits and a failed computation; numbers
// that read back to the same bits; the JSON Lines file under the rules of
// the other output files.
#include "app/motion_json.h"
#include "app/recompute.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/decimal_comma_locale.h"
#include "app/json_reader.h"
#include "app/temp_folder.h"
#include "robot/conditions.h"
#include "toc/reference_cases.h"
#include "toc/task_setup.h"

namespace {

using testjson::Value;

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

Value read(const std::string& line) {
  Value v;
  std::string error;
  EXPECT_TRUE(testjson::parse(line, v, &error)) << error << "\n" << line;
  EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  return v;
}

std::string printf_17g(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// A number of the line: written as %.17g and read back to the very double.
::testing::AssertionResult same_number(const Value& v, double want) {
  if (v.type != Value::Type::Number) return ::testing::AssertionFailure() << "not a number";
  if (v.text != printf_17g(want))
    return ::testing::AssertionFailure() << v.text << " is not %.17g of " << printf_17g(want);
  if (bits(std::strtod(v.text.c_str(), nullptr)) != bits(want))
    return ::testing::AssertionFailure() << v.text << " does not read back to the same bits";
  return ::testing::AssertionSuccess();
}

std::vector<std::string> keys_found(bool elbow) {
  std::vector<std::string> k = {"robot", "gravity", "ratios", "start", "goal"};
  if (elbow) k.push_back("elbow");
  for (const char* name :
       {"found", "method", "tf", "tfm", "first_sign", "switches", "singular", "end_error",
        "costate_end"})
    k.push_back(name);
  return k;
}

struct Computed {
  std::unique_ptr<Scenario> s;
  SwitchingSolution sol;
};

// The solve the dialogue runs (the default solver).
Computed solved(std::unique_ptr<Scenario> s) {
  Computed c{std::move(s), {}};
  c.sol = recompute_time_optimal(*c.s, SolverChoice::Optimal);
  return c;
}

Computed default_cylindrical() {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, 'a', 'h');
  s->elbow = Elbow::Other;  // as after start-up: the cylindrical robot has none
  return solved(std::move(s));
}

// A found motion of the given arcs, no grid, the rest zero.
SwitchingSolution made_motion(FoundBy by) {
  SwitchingSolution sol{};
  sol.found = true;
  sol.method = by;
  sol.motion.tf = 2.0;
  sol.motion.joint[0] = JointArcs{2, {kArcPositive, kArcNegative}, {1.0, 2.0}};
  sol.motion.joint[1] = JointArcs{1, {kArcNegative}, {2.0}};
  sol.end_error = 1e-9;
  return sol;
}

}  // namespace

TEST(MotionJson, FourIntervalMotionOfTheDefaultTask) {
  const Computed c = default_cylindrical();
  ASSERT_TRUE(c.sol.found);
  ASSERT_TRUE(c.sol.four_intervals);
  const Scenario& s = *c.s;
  const Value v = read(motion_json(s, c.sol));
  ASSERT_EQ(v.type, Value::Type::Object);
  EXPECT_EQ(v.keys, keys_found(false));  // in this order, no elbow
  EXPECT_EQ(v["robot"].text, "a");
  EXPECT_EQ(v["gravity"].text, "h");
  ASSERT_EQ(v["ratios"].size(), 2u);
  EXPECT_TRUE(same_number(v["ratios"][0], 30));
  EXPECT_TRUE(same_number(v["ratios"][1], 30));
  EXPECT_EQ(v["ratios"][0].text, "30");
  EXPECT_TRUE(same_number(v["start"][0], 0.8));
  EXPECT_TRUE(same_number(v["start"][1], 0.0));
  EXPECT_TRUE(same_number(v["goal"][0], 0.0));
  EXPECT_TRUE(same_number(v["goal"][1], 0.8));
  EXPECT_EQ(v["found"].type, Value::Type::Bool);
  EXPECT_TRUE(v["found"].boolean);
  EXPECT_EQ(v["method"].text, "passes");
  // tt = (0.704 0.827 0.950 1.654): joint 1 switches at tt[1], joint 2 at tt[0] and tt[2].
  const SwitchingPlan& p = c.sol.plan;
  EXPECT_TRUE(same_number(v["tf"], p.tt[3]));
  EXPECT_NEAR(v["tf"].number, 1.654, 1e-3);
  EXPECT_TRUE(same_number(v["tfm"], s.tfm));
  EXPECT_NEAR(v["tfm"].number, 2.5651, 1e-4);
  ASSERT_EQ(v["first_sign"].size(), 2u);
  EXPECT_EQ(v["first_sign"][0].text, "1");
  EXPECT_EQ(v["first_sign"][1].text, "-1");
  ASSERT_EQ(v["switches"].size(), 2u);
  ASSERT_EQ(v["switches"][0].size(), 1u);
  ASSERT_EQ(v["switches"][1].size(), 2u);
  EXPECT_TRUE(same_number(v["switches"][0][0], p.tt[1]));
  EXPECT_TRUE(same_number(v["switches"][1][0], p.tt[0]));
  EXPECT_TRUE(same_number(v["switches"][1][1], p.tt[2]));
  EXPECT_NEAR(v["switches"][0][0].number, 0.827, 1e-3);
  EXPECT_NEAR(v["switches"][1][0].number, 0.704, 1e-3);
  EXPECT_NEAR(v["switches"][1][1].number, 0.950, 1e-3);
  EXPECT_EQ(v["singular"].type, Value::Type::Array);
  EXPECT_EQ(v["singular"].size(), 0u);
  EXPECT_TRUE(same_number(v["end_error"], c.sol.end_error));
  EXPECT_LT(v["end_error"].number, 1e-3);
  // The costates at tf: the multipliers under which tf is stationary.
  ASSERT_TRUE(c.sol.costates);
  ASSERT_EQ(v["costate_end"].size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(same_number(v["costate_end"][i], c.sol.costate_end[i]));
}

// Half a turn of joint 1 at the default ratios: the direct method's motion,
// joint 1 at +limit, inside its limits, at -limit; joint 2 at -limit throughout.
TEST(MotionJson, DirectMethodMotionWithAnArcInsideTheLimits) {
  const Computed c = solved(point_task('a', 'h', 0.8, 0.0, -0.8, 0.01));
  ASSERT_TRUE(c.sol.found);
  ASSERT_EQ(c.sol.method, FoundBy::Direct);
  const Motion& m = c.sol.motion;
  const Value v = read(motion_json(*c.s, c.sol));
  EXPECT_EQ(v.keys, keys_found(false));
  EXPECT_EQ(v["method"].text, "direct");
  EXPECT_TRUE(same_number(v["tf"], m.tf));
  EXPECT_NEAR(v["tf"].number, 2.468, 2e-3);
  EXPECT_TRUE(same_number(v["goal"][0], -0.8));
  EXPECT_TRUE(same_number(v["goal"][1], 0.01));
  EXPECT_EQ(v["first_sign"][0].text, "1");
  EXPECT_EQ(v["first_sign"][1].text, "-1");
  // Joint 1's arcs end at its two switching times, ascending; joint 2 has none.
  ASSERT_EQ(m.joint[0].count, 3);
  ASSERT_EQ(v["switches"][0].size(), 2u);
  EXPECT_TRUE(same_number(v["switches"][0][0], m.joint[0].end[0]));
  EXPECT_TRUE(same_number(v["switches"][0][1], m.joint[0].end[1]));
  EXPECT_LT(v["switches"][0][0].number, v["switches"][0][1].number);
  EXPECT_EQ(v["switches"][1].size(), 0u);
  // The singular arc lies between them.
  ASSERT_EQ(v["singular"].size(), 1u);
  const Value& arc = v["singular"][0];
  EXPECT_EQ(arc.keys, (std::vector<std::string>{"joint", "from", "to"}));
  EXPECT_EQ(arc["joint"].text, "1");
  EXPECT_TRUE(same_number(arc["from"], m.joint[0].end[0]));
  EXPECT_TRUE(same_number(arc["to"], m.joint[0].end[1]));
  EXPECT_NEAR(arc["from"].number, 0.309, 2e-3);
  EXPECT_NEAR(arc["to"].number, 2.160, 2e-3);
  EXPECT_TRUE(same_number(v["end_error"], c.sol.end_error));
}

TEST(MotionJson, FailedComputationHasNullsForTheMotion) {
  auto s = std::make_unique<Scenario>();
  compute_default_conditions(*s);
  select_robot(*s, 'a');
  select_gravity(*s, 'h');
  s->cyl.u1 = 0;
  s->cyl.u2 = 0;
  compute_conditions(*s);
  const Computed c = solved(std::move(s));
  ASSERT_FALSE(c.sol.found);
  const Value v = read(motion_json(*c.s, c.sol));
  EXPECT_EQ(v.keys, keys_found(false));
  EXPECT_EQ(v["robot"].text, "a");
  EXPECT_EQ(v["ratios"][0].text, "0");
  EXPECT_EQ(v["ratios"][1].text, "0");
  EXPECT_EQ(v["found"].type, Value::Type::Bool);
  EXPECT_FALSE(v["found"].boolean);
  for (const char* field : {"method", "tf", "first_sign", "switches", "singular", "end_error"})
    EXPECT_TRUE(v[field].is_null()) << field;
  // tfm as the conditions have it, or null where that is no number.
  if (std::isfinite(c.s->tfm)) EXPECT_TRUE(same_number(v["tfm"], c.s->tfm));
  else EXPECT_TRUE(v["tfm"].is_null());
}

TEST(MotionJson, ScaraHasItsElbowAfterTheGoal) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, 'b', 'g');
  s->scara.u1 = 25;
  s->scara.u2 = 35;
  const SwitchingSolution none{};
  for (const auto& [elbow, text] :
       {std::pair{Elbow::Down, "1"}, std::pair{Elbow::Up, "2"}, std::pair{Elbow::Other, "null"}}) {
    s->elbow = elbow;
    const Value v = read(motion_json(*s, none));
    EXPECT_EQ(v.keys, keys_found(true));
    EXPECT_EQ(v["robot"].text, "b");
    EXPECT_EQ(v["gravity"].text, "g");
    EXPECT_EQ(v["ratios"][0].text, "25");  // the SCARA's, not the cylindrical robot's
    EXPECT_EQ(v["ratios"][1].text, "35");
    if (elbow == Elbow::Other) EXPECT_TRUE(v["elbow"].is_null());
    else EXPECT_EQ(v["elbow"].text, text);
  }
}

// A key that selects no robot: robot null, the ratios the models use (the
// cylindrical robot's), no elbow; a gravity key that is neither g nor h
// computes without gravity.
TEST(MotionJson, NoRobotSelected) {
  auto s = std::make_unique<Scenario>();
  setup_default_case(*s, 'a', 'h');
  s->cyl.u1 = 40;
  s->scara.u1 = 20;
  select_robot(*s, 'q');
  select_gravity(*s, 'x');
  s->elbow = Elbow::Down;
  const Value v = read(motion_json(*s, SwitchingSolution{}));
  EXPECT_EQ(v.keys, keys_found(false));
  EXPECT_TRUE(v["robot"].is_null());
  EXPECT_EQ(v["gravity"].text, "h");
  EXPECT_EQ(v["ratios"][0].text, "40");
}

TEST(MotionJson, FirstSignOfAnArcInsideTheLimitsIsThatOfItsGridTorque) {
  SwitchingSolution sol = made_motion(FoundBy::Direct);
  sol.motion.joint[0] = JointArcs{2, {kArcInterior, kArcPositive}, {0.5, 2.0}};
  sol.motion.joint[1] = JointArcs{2, {kArcInterior, kArcNegative}, {0.25, 2.0}};
  sol.motion.grid_count = 4;
  sol.motion.grid[0][0] = -0.3;
  sol.motion.grid[0][1] = 0.7;
  Scenario s{};
  const Value v = read(motion_json(s, sol));
  EXPECT_EQ(v["first_sign"][0].text, "-1");
  EXPECT_EQ(v["first_sign"][1].text, "1");
  // Arcs from the start begin at 0; joint 1's come before joint 2's.
  ASSERT_EQ(v["singular"].size(), 2u);
  EXPECT_EQ(v["singular"][0]["joint"].text, "1");
  EXPECT_EQ(v["singular"][0]["from"].text, "0");
  EXPECT_EQ(v["singular"][0]["to"].text, "0.5");
  EXPECT_EQ(v["singular"][1]["joint"].text, "2");
  EXPECT_EQ(v["singular"][1]["to"].text, "0.25");

  sol.motion.grid[0][0] = 0.0;
  EXPECT_EQ(read(motion_json(s, sol))["first_sign"][0].text, "0");
  sol.motion.grid_count = 0;  // no grid to tell
  EXPECT_EQ(read(motion_json(s, sol))["first_sign"][1].text, "0");
}

TEST(MotionJson, MethodNames) {
  Scenario s{};
  EXPECT_EQ(read(motion_json(s, made_motion(FoundBy::Passes)))["method"].text, "passes");
  EXPECT_EQ(read(motion_json(s, made_motion(FoundBy::Search)))["method"].text, "search");
  EXPECT_EQ(read(motion_json(s, made_motion(FoundBy::Direct)))["method"].text, "direct");
}

TEST(MotionJson, NanAndInfinityAreNull) {
  SwitchingSolution sol = made_motion(FoundBy::Passes);
  sol.end_error = std::numeric_limits<double>::quiet_NaN();
  sol.motion.tf = std::numeric_limits<double>::infinity();
  sol.motion.joint[0].end[0] = -std::numeric_limits<double>::infinity();
  Scenario s{};
  s.x0 = -std::numeric_limits<double>::quiet_NaN();
  s.tfm = std::numeric_limits<double>::quiet_NaN();
  const std::string line = motion_json(s, sol);
  const Value v = read(line);
  EXPECT_TRUE(v["end_error"].is_null());
  EXPECT_TRUE(v["tf"].is_null());
  EXPECT_TRUE(v["tfm"].is_null());
  EXPECT_TRUE(v["start"][0].is_null());
  EXPECT_TRUE(v["switches"][0][0].is_null());
  for (const char* word : {"nan", "NaN", "inf", "Inf"})
    EXPECT_EQ(line.find(word), std::string::npos) << word;
}

// Any double, of any magnitude and sign, written with 17 digits and read back
// by strtod to the same bits.
TEST(MotionJson, SeventeenDigitsReadBackToTheSameDouble) {
  std::mt19937_64 gen(20261208);
  std::uniform_real_distribution<double> mant(-1.0, 1.0);
  std::uniform_int_distribution<int> expo(-300, 300);
  SwitchingSolution sol = made_motion(FoundBy::Passes);
  Scenario s{};
  for (int i = 0; i < 2000; ++i) {
    const double x = mant(gen) * std::pow(10.0, expo(gen));
    sol.motion.tf = x;
    s.tfm = std::nextafter(x, 0.0);
    const Value v = read(motion_json(s, sol));
    ASSERT_TRUE(same_number(v["tf"], x)) << i;
    ASSERT_TRUE(same_number(v["tfm"], s.tfm)) << i;
  }
  for (double x : {0.1, 1.0 / 3.0, 5e-324, 1.7976931348623157e308, -0.0, 2.0}) {
    sol.motion.tf = x;
    EXPECT_TRUE(same_number(read(motion_json(s, sol))["tf"], x)) << x;
  }
}

TEST(MotionJson, SameBytesInADecimalCommaLocale) {
  const Computed c = default_cylindrical();
  const std::string in_c = motion_json(*c.s, c.sol);
  testlocale::DecimalComma comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be made";
  EXPECT_EQ(motion_json(*c.s, c.sol), in_c);
}

// ---- the file ----

TEST(JsonLinesFile, EachLineIsAddedToTheRunsOwnFile) {
  testfs::TempFolder dir;
  JsonLinesFile f;
  f.path = dir / "runs.jsonl";
  ASSERT_TRUE(append_json_line(f, "{\"n\":1}").ok);
  EXPECT_TRUE(f.created);
  EXPECT_EQ(testfs::read_file(f.path), "{\"n\":1}\n");
  const WriteResult r = append_json_line(f, "{\"n\":2}");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.path, f.path);
  EXPECT_EQ(testfs::read_file(f.path), "{\"n\":1}\n{\"n\":2}\n");
  EXPECT_FALSE(f.failed);
  EXPECT_EQ(dir.entries(), (std::set<std::string>{"runs.jsonl"}));  // no temporary left
}

TEST(JsonLinesFile, AFileThatWasThereIsLeftAsItIs) {
  testfs::TempFolder dir;
  JsonLinesFile f;
  f.path = dir / "mine.jsonl";
  testfs::put_file(f.path, "keep me\n");
  for (int i = 0; i < 2; ++i) {
    const WriteResult r = append_json_line(f, "{}");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "cannot write " + f.path + ": File exists");
  }
  EXPECT_TRUE(f.failed);
  EXPECT_FALSE(f.created);
  EXPECT_EQ(testfs::read_file(f.path), "keep me\n");
  EXPECT_EQ(dir.entries(), (std::set<std::string>{"mine.jsonl"}));
}

// A write that failed is made good by the next one: the file then holds every
// line of the run, the lost one too.
TEST(JsonLinesFile, AMissingFolderFailsAndALaterWriteHasEveryLine) {
  testfs::TempFolder dir;
  JsonLinesFile f;
  f.path = dir / "later/runs.jsonl";
  const WriteResult r = append_json_line(f, "{\"n\":1}");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "cannot write " + f.path + ": No such file or directory");
  EXPECT_TRUE(f.failed);
  std::filesystem::create_directory(dir / "later");
  ASSERT_TRUE(append_json_line(f, "{\"n\":2}").ok);
  EXPECT_EQ(testfs::read_file(f.path), "{\"n\":1}\n{\"n\":2}\n");
  EXPECT_TRUE(f.failed);  // the run still ends with status 1
}
