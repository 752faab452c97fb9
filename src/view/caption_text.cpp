#include "view/caption_text.h"

#include <cmath>
#include <initializer_list>

#include "robot/robot_kind.h"

std::string ratio_digits(double v) {
  if (!(v >= 0.0 && v < 1000.0)) return "###";
  const double h = std::trunc(v / 100.0);
  const double t = std::trunc((v - 100.0 * h) / 10.0);
  const double o = std::trunc(v - 100.0 * h - 10.0 * t);
  std::string out;
  for (double d : {h, t, o}) {
    if (!(d >= 0.0 && d <= 9.0)) return "###";
    out += digit_chars[static_cast<int>(d)];
  }
  return out;
}

std::string ratio_text(const Conditions& s) {
  std::string u1 = "###";
  std::string u2 = "###";
  if (const RobotConditions* r = selected_conditions(s)) {
    u1 = ratio_digits(r->u1);
    u2 = ratio_digits(r->u2);
  }
  return "(" + u1 + "," + u2 + ")\n";
}
