#include "app/startup.h"

#include "app/condition_report.h"
#include "app/dialogue.h"
#include "model/defaults.h"
#include "robot/conditions.h"

void initialset(Scenario& s, Ui& out) {
  // The same steps as compute_default_conditions, with each robot's report.
  // The default points lie within both robots' reach, so there is nothing
  // unreachable to report.
  set_defaults(s);
  compute_cyl_task_angles(s);
  out.say(Text::DefaultsCyl);
  compute_robot_defaults(s, 'a');
  print_conditions(s, out);
  out.say(Text::DefaultsScara);
  compute_robot_defaults(s, 'b');
  print_conditions(s, out);
}

Task<DialogueEnd> run_startup(Scenario& s, Ui& out) {
  out.con.set_input_end_text(text(Text::InputEnded, out.lang));
  out.say(Text::StartTitle);
  initialset(s, out);
  out.say(Text::RobotQuestion);
  select_robot(s, co_await out.key("ab"));
  out.con.printf(" %c", s.robot_key);
  out.say(Text::GravityQuestion);
  select_gravity(s, co_await out.key("gh"));
  out.con.printf(" %c", s.gravity_key);
  s.elbow = Elbow::Down;
  co_return co_await run_condition_dialogue(s, out, DialogueEntry::Heading);
}
