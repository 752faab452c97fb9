#include "app/robot_texts.h"

namespace {

void print_cyl(const Conditions& s, Ui& out) {
  const CylConditions& c = s.cyl;
  out.say(Text::CylName);
  out.sayf(Text::CylWorkMass, s.mw);
  out.sayf(Text::CylArmInertia, c.IJ1, s.mw);
  out.sayf(Text::CylMotorInertia, c.IM1, c.mM2);
  out.sayf(Text::CylRatios, c.u1, c.u2);
  if (s.gravity == Gravity::On) {
    out.say(Text::ReportGravityOn);
    out.say(Text::CylTorqueRuleOn);
    out.sayf(Text::ReportTorques, c.tau1max_g, c.tau2max_g);
  } else {
    out.say(Text::ReportGravityOff);
    out.say(Text::CylTorqueRuleOff);
    out.sayf(Text::ReportTorques, c.tau1max_h, c.tau2max_h);
  }
  out.sayf(Text::CylPoints, s.x0, s.y0, s.xf, s.yf);
  out.sayf(Text::CylJointValues, c.Phi0[0], c.Phi0[1], c.Phif[0], c.Phif[1]);
  out.sayf(Text::CylRiseAccelerations, c.alpha1, c.a2);
  out.sayf(Text::CylTerminalTimes, c.tf1, c.tf2);
  out.sayf(Text::CylCentrifugalTime, c.tf3);
  out.sayf(Text::ReportPidTime, s.tfm);
  out.say(Text::ReportRule);
}

void print_scara(const Conditions& s, Ui& out) {
  const ScaraConditions& b = s.scara;
  out.say(Text::ScaraName);
  out.sayf(Text::ScaraMasses, b.m1, s.mw);
  out.sayf(Text::ScaraArmInertia, b.IJ1, b.IJ2);
  out.sayf(Text::ScaraMotorInertia, b.IM1, b.IM2);
  out.sayf(Text::ScaraRatios, b.u1, b.u2);
  if (s.gravity == Gravity::On) {
    out.say(Text::ReportGravityOn);
    out.say(Text::ScaraTorqueRuleOn);
    out.sayf(Text::ReportTorques, b.tau1max_g, b.tau2max_g);
  } else {
    out.say(Text::ReportGravityOff);
    out.say(Text::ScaraTorqueRuleOff);
    out.sayf(Text::ScaraTorquesOff, b.tau1max_h, b.tau2max_h);
  }
  out.sayf(Text::ScaraPoints, s.x0, s.y0, s.xf, s.yf);
  out.sayf(Text::ScaraJointValues, b.Phi0[0], b.Phi0[1], b.Phif[0], b.Phif[1]);
  out.sayf(Text::ScaraRiseAccelerations, b.alpha1, b.alpha2);
  out.sayf(Text::ScaraTerminalTimes, b.tf1, b.tf2);
  out.sayf(Text::ReportPidTime, s.tfm);
  out.say(Text::ReportRule);
}

}  // namespace

// The one place in the console's texts that knows the robot kinds.
const RobotTexts* robot_texts(Robot robot) {
  static constexpr RobotTexts cyl{Text::HeadingCyl, Text::RatiosCyl, Text::SolverTitleCyl,
                                  print_cyl};
  static constexpr RobotTexts scara{Text::HeadingScara, Text::RatiosScara,
                                    Text::SolverTitleScara, print_scara};
  switch (robot) {
    case Robot::Cylindrical: return &cyl;
    case Robot::Scara: return &scara;
    case Robot::Other: break;
  }
  return nullptr;
}
