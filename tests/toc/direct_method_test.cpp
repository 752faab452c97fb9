// The pieces of the direct method and the refinement: the exact derivatives
// against finite differences, the structure read off a grid, the arcs of a
// motion in time order, the switching functions of Pontryagin's principle.
#include "toc/direct_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "random_tasks.h"
#include "toc/arc_shooting.h"
#include "toc/costate.h"
#include "toc/reference_cases.h"
#include "toc/refine.h"
#include "toc/structure.h"
#include "toc/switching_solver.h"

namespace {

Motion two_joint_motion(double tf, int s1, std::initializer_list<double> t1, int s2,
                        std::initializer_list<double> t2) {
  Motion m{};
  m.tf = tf;
  const int first[2] = {s1, s2};
  const std::initializer_list<double>* times[2] = {&t1, &t2};
  for (int j = 0; j < 2; ++j) {
    JointArcs& a = m.joint[j];
    int sign = first[j];
    for (double t : *times[j]) {
      a.kind[a.count] = static_cast<signed char>(sign);
      a.end[a.count++] = t;
      sign = -sign;
    }
    a.kind[a.count] = static_cast<signed char>(sign);
    a.end[a.count++] = tf;
  }
  return m;
}

}  // namespace

TEST(DirectMethod, ArcLengthDerivativesAreThoseOfTheSimulation) {
  for (char robot : {'a', 'b'}) {
    Scenario s{};
    setup_default_case(s, robot, 'g');
    const ShootingModel m(s, s.robot);
    const SwitchingTask t = switching_task(s, s.robot);
    const Motion motion = two_joint_motion(0.9, 1, {0.4}, -1, {0.2, 0.55, 0.7});
    ArcPlan plan{};
    ASSERT_TRUE(arc_plan_of(motion, plan));
    double y[4], d[kMaxArcs][4];
    simulate_arcs_sensitivity(m, plan, t.y_start, kStepsPerInterval, y, d);
    double plain[4];
    simulate_arcs(m, plan, t.y_start, kStepsPerInterval, plain);
    for (int c = 0; c < 4; ++c) EXPECT_EQ(y[c], plain[c]);
    for (int i = 0; i < plan.count; ++i) {
      // Lengthening arc i moves every later end by the same step.
      const double step = 1e-6;
      ArcPlan up = plan, down = plan;
      for (int k = i; k < plan.count; ++k) {
        up.end[k] += step;
        down.end[k] -= step;
      }
      double yu[4], yd[4];
      simulate_arcs(m, up, t.y_start, kStepsPerInterval, yu);
      simulate_arcs(m, down, t.y_start, kStepsPerInterval, yd);
      for (int c = 0; c < 4; ++c) {
        const double fd = (yu[c] - yd[c]) / (2 * step);
        EXPECT_NEAR(d[i][c], fd, 1e-5 * (1 + std::fabs(fd))) << robot << " arc " << i << " " << c;
      }
    }
  }
}

TEST(DirectMethod, GridDerivativesAreThoseOfTheSimulation) {
  Scenario s{};
  setup_default_case(s, 'b', 'g');
  const ShootingModel m(s, s.robot);
  const SwitchingTask t = switching_task(s, s.robot);
  TorqueGrid g{};
  ASSERT_TRUE(quintic_start(m, t.y_start, t.x_target, 8, 0.95, g));
  double y[4], jac[4][kGridVariables];
  simulate_grid(m, g, t.y_start, y, jac);
  for (int v = 0; v <= 2 * g.n; ++v) {
    const double step = 1e-6;
    TorqueGrid up = g, down = g;
    if (v == 2 * g.n) {
      up.tf += step;
      down.tf -= step;
    } else {
      up.u[v / 2][v % 2] += step;
      down.u[v / 2][v % 2] -= step;
    }
    double yu[4], yd[4];
    simulate_grid(m, up, t.y_start, yu);
    simulate_grid(m, down, t.y_start, yd);
    for (int c = 0; c < 4; ++c) {
      const double fd = (yu[c] - yd[c]) / (2 * step);
      EXPECT_NEAR(jac[c][v], fd, 1e-5 * (1 + std::fabs(fd))) << "variable " << v << " " << c;
    }
  }
}

TEST(DirectMethod, ArcsOfBothJointsComeInTimeOrder) {
  const Motion m = two_joint_motion(1.0, 1, {0.5}, -1, {0.2, 0.5, 0.8});
  ArcPlan p{};
  ASSERT_TRUE(arc_plan_of(m, p));
  // 0.2 (joint 2), 0.5 (both: a zero-length arc between), 0.8, tf.
  ASSERT_EQ(p.count, 5);
  const double ends[] = {0.2, 0.5, 0.5, 0.8, 1.0};
  const int signs[5][2] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}, {-1, 1}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p.end[i], ends[i]) << i;
    EXPECT_EQ(p.sign[i][0], signs[i][0]) << i;
    EXPECT_EQ(p.sign[i][1], signs[i][1]) << i;
  }
  Motion interior = m;
  interior.joint[0].kind[1] = kArcInterior;
  EXPECT_FALSE(arc_plan_of(interior, p));
}

TEST(DirectMethod, StructureOfAGrid) {
  TorqueGrid g{};
  g.n = 10;
  g.tf = 1.0;
  for (int k = 0; k < 10; ++k) {
    g.u[k][0] = k < 4 ? 1.0 : -1.0;
    g.u[k][1] = 1.0;
  }
  g.u[4][0] = 0.2;  // a switch inside step 4: 60 % of it still at +1
  g.u[5][1] = 0.6;  // a short pulse of -1, 20 % of step 5, in its middle
  Motion m{};
  ASSERT_TRUE(structure_of(g, kSwitchSteps, m));
  EXPECT_EQ(m.grid_count, 0);
  ASSERT_EQ(m.joint[0].count, 2);
  EXPECT_EQ(m.joint[0].kind[0], kArcPositive);
  EXPECT_NEAR(m.joint[0].end[0], 0.46, 1e-12);
  ASSERT_EQ(m.joint[1].count, 3);
  EXPECT_NEAR(m.joint[1].end[0], 0.54, 1e-12);
  EXPECT_NEAR(m.joint[1].end[1], 0.56, 1e-12);
  EXPECT_EQ(m.joint[1].kind[1], kArcNegative);

  // Four steps off the limits: an arc inside them, and the grid kept.
  for (int k = 3; k < 7; ++k) g.u[k][0] = 0.3;
  ASSERT_TRUE(structure_of(g, kSwitchSteps, m));
  ASSERT_EQ(m.joint[0].count, 3);
  EXPECT_EQ(m.joint[0].kind[1], kArcInterior);
  EXPECT_NEAR(m.joint[0].end[0], 0.3, 1e-12);
  EXPECT_NEAR(m.joint[0].end[1], 0.7, 1e-12);
  EXPECT_EQ(m.grid_count, 10);
  EXPECT_EQ(m.grid[5][0], 0.3);
  // Read as bang-bang whatever the run's length: a switch at its mean.
  ASSERT_TRUE(structure_of(g, g.n, m));
  EXPECT_EQ(m.grid_count, 0);
  EXPECT_EQ(m.joint[0].count, 2);
}

// Each joint's switching function changes sign at that joint's switching
// times (within 1 ms) and nowhere else, with the sign opposite to its torque.
// The passes stop 1e-4 from the goal, where the final time is not yet quite
// stationary: their motions are refined onto it first. The direct method's
// motions of other structures have switches where sigma leaves zero only
// slowly (a short arc between two switches, or a stretch where sigma stays
// near zero): there sigma is zero at each switch, and beyond the solver's
// slack its sign is the rule's.
TEST(Costate, SwitchingFunctionsChangeSignExactlyAtTheSwitches) {
  struct Case {
    std::unique_ptr<Scenario> s;
    Motion motion;
    bool refined_passes;
  };
  std::vector<Case> cases;
  for (char robot : {'a', 'b'})
    for (char gravity : {'h', 'g'}) {
      auto s = std::make_unique<Scenario>();
      setup_default_case(*s, robot, gravity);
      const SwitchingSolution sol = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
      ASSERT_TRUE(sol.found);
      const ShootingModel m(*s, s->robot);
      const SwitchingTask t = switching_task(*s, s->robot);
      const Refinement r = refine_switching(m, t.y_start, t.x_target, sol.motion);
      ASSERT_TRUE(r.converged);
      cases.push_back(Case{std::move(s), r.motion, true});
    }
  // 1 + 4 switches, 2 + 2, and joint 1 starting against its move.
  for (const auto& [robot, gravity, task] : {std::tuple{'b', 'h', 13}, std::tuple{'b', 'g', 0},
                                             std::tuple{'b', 'g', 6}}) {
    auto s = random_tasks::make_task(robot, gravity, task);
    const SwitchingSolution sol = solve_switching_plan(*s, s->robot, SolverChoice::Optimal);
    ASSERT_TRUE(sol.found);
    ASSERT_EQ(sol.motion.grid_count, 0);
    ASSERT_FALSE(sol.four_intervals);
    cases.push_back(Case{std::move(s), sol.motion, false});
  }
  int index = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + std::to_string(index++));
    const ShootingModel m(*c.s, c.s->robot);
    const SwitchingTask t = switching_task(*c.s, c.s->robot);
    const SwitchingFunctions f = switching_functions(m, t.y_start, c.motion);
    ASSERT_TRUE(f.computed);
    EXPECT_FALSE(first_rule_break(f, c.motion, c.refined_passes ? kSigmaSlack : kRefinedSlack).broken);
    for (int j = 0; j < 2; ++j) {
      const JointArcs& a = c.motion.joint[j];
      double peak = 0;
      for (const SigmaSample& p : f.samples) peak = std::fmax(peak, std::fabs(p.sigma[j]));
      // Zero at every switch (a sample falls on each: the arcs are
      // integrated one by one).
      for (int e = 0; e + 1 < a.count; ++e) {
        double nearest = INFINITY, value = 0;
        for (const SigmaSample& p : f.samples)
          if (std::fabs(p.t - a.end[e]) < nearest) nearest = std::fabs(p.t - a.end[e]), value = p.sigma[j];
        EXPECT_LT(std::fabs(value), 1e-6 * peak) << "joint " << j << " at its switch " << a.end[e];
      }
      const double slack = (c.refined_passes ? 1e-3 : kRefinedSlack) * peak;
      // A crossing counts once sigma has grown past the slack on its other
      // side; it is placed at the last zero before that.
      int crossings = 0, side = 0;
      double zero = 0;
      for (std::size_t k = 0; k < f.samples.size(); ++k) {
        const SigmaSample& q = f.samples[k];
        if (k > 0) {
          const SigmaSample& p = f.samples[k - 1];
          if ((p.sigma[j] < 0) != (q.sigma[j] < 0))
            zero = p.t + (q.t - p.t) * p.sigma[j] / (p.sigma[j] - q.sigma[j]);
        }
        if (!(std::fabs(q.sigma[j]) > slack)) continue;
        const int now = q.sigma[j] > 0 ? 1 : -1;
        // Beyond the slack, the sign is opposite to the torque's.
        EXPECT_EQ(now, -arc_sign_at(a, q.t)) << "joint " << j << " at " << q.t;
        if (side != 0 && now != side) {
          ++crossings;
          double nearest = INFINITY;
          for (int e = 0; e + 1 < a.count; ++e)
            nearest = std::fmin(nearest, std::fabs(zero - a.end[e]));
          if (c.refined_passes) {
            EXPECT_LT(nearest, 1e-3) << "joint " << j << " at " << zero;
          }
        }
        side = now;
      }
      if (c.refined_passes) {
        EXPECT_EQ(crossings, a.count - 1) << "joint " << j;
      }
    }
  }
}

// The extended solver's motion where it is not optimal breaks the rule.
TEST(Costate, ASlowerMotionBreaksTheRule) {
  const auto s = random_tasks::make_task('b', 'h', 2);
  const SwitchingSolution ext = solve_switching_plan(*s, s->robot, SolverChoice::Extended);
  ASSERT_TRUE(ext.found);
  const ShootingModel m(*s, s->robot);
  const SwitchingTask t = switching_task(*s, s->robot);
  const SwitchingFunctions f = switching_functions(m, t.y_start, ext.motion);
  ASSERT_TRUE(f.computed);
  const RuleBreak b = first_rule_break(f, ext.motion);
  EXPECT_TRUE(b.broken);
  EXPECT_GT(b.at, 0.0);
  EXPECT_LT(b.at, ext.motion.tf);
}

// Refinement of a four-interval guess near the passes' solution lands on it.
TEST(Refine, FourUnknownsConvergeOntoThePassesMotion) {
  Scenario s{};
  setup_default_case(s, 'a', 'h');
  const SwitchingSolution ref = solve_switching_plan(s, s.robot, SolverChoice::Reference);
  ASSERT_TRUE(ref.found);
  Motion guess = ref.motion;
  guess.tf *= 1.02;
  for (JointArcs& a : guess.joint)
    for (int k = 0; k + 1 < a.count; ++k) a.end[k] *= 0.98;
  const ShootingModel m(s, s.robot);
  const SwitchingTask t = switching_task(s, s.robot);
  const Refinement r = refine_switching(m, t.y_start, t.x_target, guess);
  ASSERT_TRUE(r.converged);
  EXPECT_LT(r.end_error, kRefineTolerance);
  EXPECT_NEAR(r.motion.tf, ref.motion.tf, 1e-3);  // the passes stop at 1e-4
}
