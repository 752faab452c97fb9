// A fixed, seeded set of point-to-point tasks inside each robot's reach,
// prepared the way the dialogue prepares them: defaults (ratios 30), the
// points, their joint displacements, the derived conditions, the sample step.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "model/sample_step.h"
#include "model/scenario.h"
#include "robot/conditions.h"

namespace random_tasks {

struct Points {
  double x0, y0, xf, yf;
};

// Uniform in [0, 1) from the generator's 53 top bits: the same numbers on
// every standard library.
inline double unit(std::mt19937_64& g) { return static_cast<double>(g() >> 11) * 0x1.0p-53; }

// Radii inside the reach with a margin: the cylindrical arm reaches 1 m from
// its axis, the SCARA from |l1 - l2| = 0.1 m to l1 + l2 = 0.9 m.
inline Points draw_points(std::mt19937_64& g, char robot) {
  const double rmin = robot == 'b' ? 0.15 : 0.2;
  const double rmax = robot == 'b' ? 0.85 : 1.0;
  Points p{};
  double* xy[2][2] = {{&p.x0, &p.y0}, {&p.xf, &p.yf}};
  for (auto& pt : xy) {
    const double r = rmin + (rmax - rmin) * unit(g);
    const double a = -PI + 2 * PI * unit(g);
    *pt[0] = r * std::cos(a);
    *pt[1] = r * std::sin(a);
  }
  return p;
}

// Seed per robot and gravity, so each case's set stands on its own.
inline std::uint64_t seed_for(char robot, char gravity) {
  return 20240601u + 16u * static_cast<unsigned>(robot) + static_cast<unsigned>(gravity);
}

// Task i of the case (robot, gravity), SCARA with the elbow down.
inline std::unique_ptr<Scenario> make_task(char robot, char gravity, int i, Points* out = nullptr) {
  std::mt19937_64 g(seed_for(robot, gravity));
  Points p{};
  for (int k = 0; k <= i; ++k) p = draw_points(g, robot);
  if (out) *out = p;
  auto s = std::make_unique<Scenario>();
  compute_default_conditions(*s);
  select_robot(*s, robot);
  select_gravity(*s, gravity);
  // The elbow selects the SCARA's inverse kinematics, which compute_conditions
  // runs whatever the robot; no elbow for the cylindrical robot, whose
  // points may lie beyond the SCARA's reach.
  s->elbow = robot == 'b' ? Elbow::Down : Elbow::Other;
  s->x0 = p.x0;
  s->y0 = p.y0;
  s->xf = p.xf;
  s->yf = p.yf;
  compute_cyl_task_angles(*s);
  compute_conditions(*s);
  s->dt = sample_step(s->tfm, s->frame_count);
  return s;
}

}  // namespace random_tasks
