#include "view/lesson_switches.h"

#include <algorithm>
#include <cmath>

static_assert(kMaxJointArcs - 1 <= 26, "a letter for every switch of a joint");

std::string switch_name(int joint, int index) {
  std::string s = std::to_string(joint + 1);
  s += static_cast<char>('a' + std::clamp(index, 0, 25));
  return s;
}

std::vector<SwitchPoint> joint_switches(const LessonInputs& in, int joint) {
  std::vector<SwitchPoint> out;
  if (joint < 0 || joint > 1) return out;
  const JointArcs& a = in.arcs[joint];
  const int count = std::clamp(a.count, 0, kMaxJointArcs);
  for (int k = 0; k + 1 < count; ++k)
    if (std::isfinite(a.end[k]))
      out.push_back(SwitchPoint{joint, static_cast<int>(out.size()), a.end[k]});
  return out;
}

std::vector<SwitchPoint> switch_points(const LessonInputs& in) {
  std::vector<SwitchPoint> out = joint_switches(in, 0);
  const std::vector<SwitchPoint> second = joint_switches(in, 1);
  out.insert(out.end(), second.begin(), second.end());
  std::stable_sort(out.begin(), out.end(),
                   [](const SwitchPoint& a, const SwitchPoint& b) { return a.t < b.t; });
  return out;
}

std::vector<InteriorArc> interior_arcs(const LessonInputs& in) {
  std::vector<InteriorArc> out;
  for (int j = 0; j < 2; ++j) {
    const JointArcs& a = in.arcs[j];
    const int count = std::clamp(a.count, 0, kMaxJointArcs);
    for (int k = 0; k < count; ++k) {
      const double t0 = k == 0 ? 0.0 : a.end[k - 1], t1 = a.end[k];
      if (a.kind[k] == kArcInterior && std::isfinite(t0) && std::isfinite(t1) && t1 > t0)
        out.push_back(InteriorArc{j, t0, t1});
    }
  }
  return out;
}

std::string arc_signs(const JointArcs& a) {
  std::string s;
  const int count = std::clamp(a.count, 0, kMaxJointArcs);
  for (int k = 0; k < count; ++k) {
    if (k > 0) s += ' ';
    s += a.kind[k] > 0 ? "+" : a.kind[k] < 0 ? "-" : "s";
  }
  return s;
}
