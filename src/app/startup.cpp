#include "app/startup.h"

#include "app/condition_report.h"
#include "app/dialogue.h"
#include "model/defaults.h"
#include "robot/conditions.h"

namespace {

void report_defaults(Scenario& s, Ui& out, Text heading, char robot_key) {
  out.say(heading);
  select_robot(s, robot_key);
  select_gravity(s, 'h');
  const TaskReach reach = compute_conditions(s);
  report_unreachable(s, out, reach.start, reach.end);
  print_conditions(s, out);
}

}  // namespace

void initialset(Scenario& s, Ui& out) {
  set_defaults(s);
  compute_cyl_task_angles(s);
  report_defaults(s, out, Text::DefaultsCyl, 'a');
  report_defaults(s, out, Text::DefaultsScara, 'b');
}

void run_startup(Scenario& s, Ui& out) {
  out.con.set_input_end_text(text(Text::InputEnded, out.lang));
  out.say(Text::StartTitle);
  initialset(s, out);
  out.say(Text::RobotQuestion);
  select_robot(s, out.key());
  out.con.printf(" %c", s.robot_key);
  out.say(Text::GravityQuestion);
  select_gravity(s, out.key());
  out.con.printf(" %c", s.gravity_key);
  s.elbow = Elbow::Down;
  run_condition_dialogue(s, out, DialogueEntry::Heading);
}
