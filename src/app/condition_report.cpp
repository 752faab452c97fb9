#include "app/condition_report.h"

#include "app/robot_texts.h"

void print_conditions(const Conditions& s, Ui& out) {
  out.say(Text::ReportHeader);
  if (const RobotTexts* texts = robot_texts(s.robot)) texts->report(s, out);
}
