// Switching times of the time-optimal motion, without any console output: the
// two Newton passes from the common estimate, each result checked by
// check_solution(), and, when neither passes, the multi-start search.
#pragma once

#include "model/scenario.h"
#include "toc/acceptance.h"
#include "toc/newton.h"
#include "toc/shooting.h"

class WorkerPool;

enum class SolverChoice {
  Reference,  // the two Newton passes alone (their results still checked)
  Extended,   // the passes, then the search when they find nothing
  Optimal,    // the passes where their motion is optimal, else the direct method
};

struct PassSummary {
  int s2;             // sign of the joint-2 torque in interval 0
  int updates;        // Newton updates made
  bool converged;     // the pass ended without failing
  bool accepted;      // and its solution passed check_solution()
  double final_time;  // the pass's tt[3]: 1e10 when it failed
};

struct SwitchingSolution {
  bool found;
  bool by_search;        // found by the search after both passes failed
  PassSummary pass[2];   // s2 = -1, then s2 = +1
  bool searched;         // the search ran
  int search_runs;       // its Levenberg-Marquardt runs
  long simulations;      // shooting simulations of passes, checks and search
  SwitchingPlan plan;    // the winner: ordered times and signs (when found and four_intervals)
  // The winner as a motion of any structure (when found), how it was found,
  // and whether it has the passes' four intervals (then `plan` holds it too).
  Motion motion;
  FoundBy method;
  bool four_intervals;
  double passes_tf;      // the passes' final time when the direct method found a faster motion
  // 1-norm of the motion's end-state error against the goal at rest, at
  // kStepsPerInterval steps per arc (on its grid for a grid motion); NaN when
  // nothing was found.
  double end_error;
  // The costates at tf (Pontryagin's principle), where the recompute has
  // worked them out with the motion's record (costates set).
  bool costates;
  double costate_end[4];
};

// The task the solver works on, read from the robot's conditions.
struct SwitchingTask {
  double y_start[4];   // (Phi0, at rest)
  double x_target[4];  // (Phif, at rest)
  int s1;              // direction of joint 1
  double tf0;          // scale of the initial estimate [s]
  double z_init[4];    // the Newton passes' start
};
SwitchingTask switching_task(const Conditions& s, Robot robot);

// Finds the switching times of the robot; changes nothing. With a pool the
// independent simulations run on its threads; the result is bit for bit the
// one without.
SwitchingSolution solve_switching_plan(const Conditions& s, Robot robot, SolverChoice choice,
                                       WorkerPool* pool = nullptr);

// The same, and when found the plan stored as the run's tt and torque_sign
// (nothing is changed otherwise).
SwitchingSolution find_switching_times(const Conditions& s, RobotRun& run, Robot robot,
                                       SolverChoice choice = SolverChoice::Extended,
                                       WorkerPool* pool = nullptr);

void store_switching_plan(RobotRun& run, const SwitchingPlan& plan);

// What the two passes (s2 = -1, +1) and the checks of their results give:
// the faster accepted pass (the second on equal times), or nothing when both
// final times exceed 1000 s. A check is read only where its pass converged.
struct NewtonPassResult;
struct SolutionCheck;
SwitchingSolution passes_outcome(const NewtonPassResult passes[2], const SolutionCheck checks[2]);
// The solution's motion into the run (the plan too when it has four intervals).
void store_solution(RobotRun& run, const SwitchingSolution& sol);

// A four-interval plan as a motion, and a motion as a plan where it has that
// structure: joint 1 switches once, from the direction s1 of its move, and
// joint 2 twice, with no arc inside the limits.
Motion motion_of_plan(const SwitchingPlan& plan);
bool plan_of_motion(const Motion& m, int s1, SwitchingPlan& plan);
