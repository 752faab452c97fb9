// Inverse and forward kinematics of the cylindrical-coordinate and SCARA robots.
#include "robot/kinematics.h"

#include <cmath>

#include "model/constants.h"
#include "robot/trig.h"

void cylindrical_ik(double x, double y, double out[2]) {
  out[0] = trig::atan2(y, x);
  out[1] = std::sqrt(x * x + y * y);
}

namespace {

// Shared by both elbow branches; elbow_up selects the mirrored candidate.
bool scara_ik(double l1, double l2, double x, double y, const double ref[2], double out[2],
              bool elbow_up) {
  const double r = std::sqrt(x * x + y * y);
  const double k = (l1 * l1 + l2 * l2 - r * r) / (2 * l1 * l2);
  const bool reachable = !(std::fabs(k) > 1);
  const double gamma = trig::acos(k);
  const double beta = trig::atan2(y, x);
  const double alpha = trig::acos((l1 * l1 + r * r - l2 * l2) / (2 * l1 * r));
  double cand[2];
  if (elbow_up) {
    cand[0] = beta + alpha;
    cand[1] = gamma - PI;
  } else {
    cand[0] = beta - alpha;
    cand[1] = PI - gamma;
  }
  nearest_branch_angles(ref, cand, out);
  return reachable;
}

}  // namespace

bool scara_ik_elbow_down(double l1, double l2, double x, double y, const double ref[2],
                         double out[2]) {
  return scara_ik(l1, l2, x, y, ref, out, false);
}

bool scara_ik_elbow_up(double l1, double l2, double x, double y, const double ref[2],
                       double out[2]) {
  return scara_ik(l1, l2, x, y, ref, out, true);
}

void nearest_branch_angles(const double ref[2], const double cand[2], double out[2]) {
  for (int j = 0; j < 2; ++j) {
    const double v = cand[j];
    const double p = ref[j];
    double res = v;
    if (std::fabs(v - p) > std::fabs(v - p + 2 * PI)) res = v + 2 * PI;
    if (std::fabs(res - p) > std::fabs(v - p - 2 * PI)) res = v - 2 * PI;
    if (std::fabs(res - p) > std::fabs(v - p + 4 * PI)) res = v + 4 * PI;
    if (std::fabs(res - p) > std::fabs(v - p - 4 * PI)) res = v - 4 * PI;
    out[j] = res;
  }
}

void cylindrical_tip(double theta, double r, double out[2]) {
  double s, c;
  trig::sincos(theta, s, c);
  out[0] = r * c;
  out[1] = r * s;
}

void scara_tip(double l1, double l2, double q1, double q2, double out[2]) {
  double s1, c1, s12, c12;
  trig::sincos(q1, s1, c1);
  trig::sincos(q1 + q2, s12, c12);
  out[0] = l1 * c1 + l2 * c12;
  out[1] = l1 * s1 + l2 * s12;
}
