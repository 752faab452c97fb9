#include "app/motion_report.h"

#include <cstdio>

std::string joint_sequence(const JointArcs& a) {
  std::string s;
  for (int k = 0; k < a.count; ++k) {
    if (k > 0) s += ' ';
    s += a.kind[k] > 0 ? "+" : a.kind[k] < 0 ? "-" : "s";
  }
  if (a.count > 1) s += ':';
  for (int k = 0; k + 1 < a.count; ++k) {
    char buf[48];
    std::snprintf(buf, sizeof buf, " %7.4f", a.end[k]);
    s += buf;
  }
  return s;
}

void report_motion(const RobotRun& run, const SolveOutcome& outcome, Ui& out) {
  const Motion& m = run.motion;
  if (!run.general_motion) {
    out.sayf(Text::SwitchingTimes, run.tt[0], run.tt[1], run.tt[2], run.tt[3]);
  } else {
    out.sayf(Text::GeneralMotion, joint_sequence(m.joint[0]).c_str(),
             joint_sequence(m.joint[1]).c_str(), m.tf);
  }
  if (outcome.method == FoundBy::Direct) {
    if (outcome.passes_tf > 0) out.sayf(Text::FasterThanPasses, outcome.passes_tf);
    else out.say(run.general_motion ? Text::FoundByDirect : Text::FoundByDirectSame);
  }
  for (int j = 0; j < 2; ++j) {
    const JointArcs& a = m.joint[j];
    for (int k = 0; k < a.count; ++k)
      if (a.kind[k] == kArcInterior)
        out.sayf(Text::SingularArc, j + 1, k == 0 ? 0.0 : a.end[k - 1], a.end[k]);
  }
}
