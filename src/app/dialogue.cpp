// The console dialogue: key help, report, questions, recomputation, solver with
// its retry loop, feedback run and result lines.
#include "app/dialogue.h"

#include "app/condition_report.h"
#include "app/motion_csv.h"
#include "app/motion_json.h"
#include "app/motion_report.h"
#include "app/recompute.h"
#include "app/robot_texts.h"
#include "robot/conditions.h"

namespace {

// Reads two ratios; values that cannot be read keep their old value.
Task<> ask_ratios(RobotConditions& r, Text prompt, Ui& out) {
  out.sayf(prompt, r.u1, r.u2);
  double u[2] = {r.u1, r.u2};
  co_await out.numbers(u, 2);
  r.u1 = u[0];
  r.u2 = u[1];
}

// Ratios, gravity; returns false when the user wants no further questions.
Task<bool> ask_ratios_and_gravity(Scenario& s, Ui& out) {
  out.say(Text::RatioGate);
  const char key = co_await out.key("yzn");
  if (key == 'n') co_return false;
  if (key != 'z') {
    if (const RobotTexts* texts = robot_texts(s.robot))
      co_await ask_ratios(robot_kind(s.robot)->conditions(s), texts->ratios_prompt, out);
  }
  out.say(Text::GravityWas);
  out.say(s.gravity == Gravity::On ? Text::GravityWasOn : Text::GravityWasOff);
  out.say(Text::GravityChange);
  select_gravity(s, co_await out.key("gh"));
  co_return true;
}

Task<> ask_elbow(Scenario& s, Ui& out) {
  out.say(Text::ElbowQuestion);
  s.elbow = parse_elbow(co_await out.key("12"));
  const TaskReach reach = compute_scara_task_angles(s);
  co_await report_unreachable(s, out, reach.start, reach.end);
}

Task<> ask_points(Scenario& s, Ui& out) {
  out.sayf(Text::PointsGate, s.x0, s.y0, s.xf, s.yf);
  const char change = co_await out.key("yn");
  if (change == 'n') co_return;
  out.say(Text::PointsInput);
  double p[4] = {s.x0, s.y0, s.xf, s.yf};
  co_await out.numbers(p, 4);
  s.x0 = p[0];
  s.y0 = p[1];
  s.xf = p[2];
  s.yf = p[3];
  compute_cyl_task_angles(s);
  if (const RobotKind* kind = robot_kind(s.robot); kind && kind->has_elbow)
    co_await ask_elbow(s, out);
}

// The questions from the given entry on, up to the recomputation: each entry
// asks its own questions and then those of the entries after it.
Task<> ask_questions(Scenario& s, Ui& out, DialogueEntry entry) {
  if (entry == DialogueEntry::Recompute) co_return;
  if (entry == DialogueEntry::Heading) {
    if (const RobotTexts* texts = robot_texts(s.robot)) out.say(texts->heading);
    out.say(Text::ChangeGate);
    const char change = co_await out.key("yn");
    if (change == 'n') co_return;
  }
  if (entry != DialogueEntry::Points) {
    const bool go_on = co_await ask_ratios_and_gravity(s, out);
    if (!go_on) co_return;
  }
  co_await ask_points(s, out);
}

void print_solver_title(const Scenario& s, Ui& out) {
  if (const RobotTexts* texts = robot_texts(s.robot)) out.say(texts->solver_title);
  out.say(s.gravity == Gravity::On ? Text::SolverGravityOn : Text::SolverGravityOff);
}

// --csv FILE: a file that was there before this run is never replaced; the
// file this run made is replaced by every later computation, in one step.
void write_csv_option(const Scenario& s, Ui& out) {
  const MotionView m = motion_view_of(model_run(s, s.robot), s.frame_count, s.dt);
  const WriteResult r = out.csv_created ? write_motion_csv_to(out.csv_path, m)
                                        : write_new_motion_csv_to(out.csv_path, m);
  if (r.ok) {
    out.csv_created = true;
    return;
  }
  out.csv_failed = true;
  say_not_saved(r.error, out);
}

// --json FILE: one line per computation, found or not, under the same rules
// as the CSV; the run's own file holds every line so far.
void write_json_option(const Conditions& s, const SwitchingSolution& solution, Ui& out) {
  const WriteResult r = append_json_line(out.json, motion_json(s, solution));
  if (!r.ok) say_not_saved(r.error, out);
}

}  // namespace

void say_not_saved(const std::string& error, Ui& out) {
  out.sayf(Text::NotSaved, error.c_str());
  const char* line = text(Text::NotSaved, out.lang) + 1;  // the same line, without the line feed before it
  out.con.error_printf(line, error.c_str());
  out.con.error_printf("\n");
}

Task<> report_unreachable(const Conditions& s, Ui& out, bool start_ok, bool end_ok) {
  const ScaraConditions& b = s.scara;
  const double points[2][2] = {{s.x0, s.y0}, {s.xf, s.yf}};
  const bool ok[2] = {start_ok, end_ok};
  for (int i = 0; i < 2; ++i) {
    if (ok[i]) continue;
    out.sayf(Text::Unreachable, b.l1, b.l2, points[i][0], points[i][1]);
    co_await out.key("");  // the user acknowledges; the key itself means nothing
  }
}

Task<DialogueEnd> run_condition_dialogue(Scenario& s, Ui& out, DialogueEntry entry) {
  // A change made in the window: the console goes on as after the points
  // question, so that it stays a complete record of the session.
  const bool from_window = entry == DialogueEntry::Window;
  if (from_window) {
    entry = DialogueEntry::Recompute;
  } else {
    out.say(Text::KeyHelp);
    print_conditions(s, out);
  }
  SwitchingSolution solution{};
  for (;;) {
    co_await ask_questions(s, out, entry);
    const TaskReach reach = recompute_conditions(s);
    co_await report_unreachable(s, out, reach.start, reach.end);
    print_conditions(s, out);
    out.con.print("\n");

    out.say(Text::Computing);
    print_solver_title(s, out);
    solution = co_await out.solve(s);
    s.outcome = SolveOutcome{solution.found, solution.by_search, false, solution.method,
                             solution.passes_tf};
    if (!out.json.path.empty()) write_json_option(s, solution, out);
    if (solution.found) break;
    // The window takes back a change of its own that gives no motion: no
    // question here.
    if (from_window) {
      out.say(Text::WindowNoMotion);
      co_return DialogueEnd::Done;
    }

    out.say(Text::NoSolution);
    const char again = co_await out.key("yn");
    if (again == 'n') co_return DialogueEnd::Quit;
    out.say(Text::RetryRobot);
    select_robot(s, co_await out.key("ab"));
    entry = DialogueEntry::Ratios;
  }

  out.say(Text::Solved);
  if (solution.by_search) out.say(Text::FoundBySearch);
  if (const RobotRun* r = selected_run(s, s.robot)) report_motion(*r, s.outcome, out);
  out.sayf(Text::PidPositioningTime, s.tfm);

  recompute_feedback(s);
  s.outcome.misses_goal = feedback_misses_goal(s, s);
  out.say(Text::Done);
  if (!out.csv_path.empty()) write_csv_option(s, out);

  if (const RobotConditions* r = selected_conditions(s); r && s.outcome.misses_goal)
    out.sayf(Text::Saturated, r->tf);
  out.say(Text::ToWindow);
  s.view_scale = 1.0;
  s.frame_index = 0;
  co_return DialogueEnd::Done;
}
