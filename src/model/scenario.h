// The program's state in parts by concern: the conditions (choices, task and
// what derives from them per robot), the runs (solutions and motion records),
// the view state and the layout. main owns the one Scenario that holds them.
// A value-initialised Scenario (Scenario s{}) is all zeros except frame_count
// and the layout, and selects no robot.
#pragma once

#include "model/constants.h"
#include "model/layout.h"
#include "model/motion.h"
#include "model/playback.h"
#include "model/ratio_sweep.h"
#include "model/selectors.h"

constexpr int kRecordCapacity = 500;  // samples per motion record; frame_count < 500

// How the time graphs turn a record's values into heights. Worked out from the
// records and the torque limits after every computation (robot/graph_scales.h),
// so that drawing only reads them; all zero draws every displacement on the
// base line and no torque curve.
struct GraphScales {
  double displacement_min;       // the joint value on the displacement graph's base line
  double displacement_per_unit;  // height per unit displacement (0: all on the base line)
  bool torque_shown[2];          // joint j's limit gives a scale: its curves are drawn
  double torque_per_unit[2];     // height per unit torque of joint j
};

// What both robots have under the same name among the conditions a user sets
// and what derives from them.
struct RobotConditions {
  double u1, u2;                  // reduction ratios
  double IJ1;                     // joint-1 arm inertia
  double IM1_motor, IM1;          // joint-1 motor inertia, shaft side and joint side
  double tau1_motor, tau2_motor;  // maximum motor torques
  double tau1max_h, tau2max_h;    // joint-side limits without gravity
  double tau1max_g, tau2max_g;    // the same with the static gravity load added
  double Phi0[2], Phif[2];        // joint displacements at start and end point
  double tf1, tf2, tf;            // terminal times of each joint and the common one
  double alpha1;                  // joint-1 rising acceleration of the reference
  double Kp1, Kd1, Ki1, Kp2, Kd2, Ki2;  // PID gains
};

// Cylindrical-coordinate robot: joint 1 rotates (theta), joint 2 slides (r).
struct CylConditions : RobotConditions {
  double L;                 // arm reach for inertia and gravity of joint 1
  double mM2_motor, mM2;    // joint-2 motor inertia, shaft side and as a mass
  double J1, M2;            // largest joint-1 inertia and joint-2 mass, motors included
  double tf3;               // terminal time of the centrifugal limit
  double a2;                // joint-2 rising acceleration of the reference
};

// SCARA robot: two rotary joints.
struct ScaraConditions : RobotConditions {
  double m1;                // mass at the tip of link 1
  double l1, l2;            // link lengths
  double IJ2;               // link-2 inertia
  double IM2_motor, IM2;    // joint-2 motor inertia, shaft side and joint side
  double J11, J12, J21, J22;  // inertia matrix where the arm is most stretched
  double alpha2;            // joint-2 rising acceleration of the reference
};

// One robot's solution and the motions recorded from it. Kept apart from the
// conditions because only a successful solve replaces it: a failed one leaves
// the previous motion on show while the conditions already hold the new task.
struct RobotRun {
  // The motion of the time-optimal run. Unless `general_motion` is set it
  // has the four intervals of the Newton passes' structure (joint 1 switches
  // once, joint 2 twice), tt and torque_sign give it, and the torque law runs
  // from them; otherwise the law runs from `motion`. tt[3] is the final time
  // of any motion.
  Motion motion;
  bool general_motion;
  // Pontryagin's principle on it: whether the switching functions were worked
  // out, the costates at tf, and where the motion breaks the rule (a
  // switching function with its torque's sign away from a switch), if it does.
  bool sigma_valid;
  double costate_end[4];
  bool rule_broken;
  int rule_joint;   // 0 or 1
  double rule_at;   // [s]
  double tt[4];                   // switching times in time order, then the final time
  double torque_sign[4][2];       // interval k (row), joint j (column): +1 or -1
  GraphScales scales;             // of the records below, for the gravity selected

  // Motion records, samples 0..frame_count.
  double toc_phi[kRecordCapacity][2];  // time-optimal run: joint displacements
  double toc_tip[kRecordCapacity][2];  //   tip position relative to joint 1
  double toc_tau[kRecordCapacity][2];  //   joint torques (force for a sliding joint)
  double toc_dq[kRecordCapacity][2];   //   joint velocities, from the simulation's state
  // Its switching functions at the samples, each joint's scaled to its own
  // largest magnitude (0 from tf on); all 0 when they could not be worked out.
  double toc_sigma[kRecordCapacity][2];
  double fb_phi[kRecordCapacity][2];   // feedback run: the same four
  double fb_tip[kRecordCapacity][2];
  double fb_tau[kRecordCapacity][2];
  double fb_dq[kRecordCapacity][2];
};

struct PidDesign {
  double omega1, omega2;  // natural angular frequencies
  double zeta1, zeta2;    // damping ratios
  double pole1, pole2;    // the real third pole
};

// How the last computation ended, kept with its records for the window: the
// dialogue sets it where it solves, so that drawing never works it out.
struct SolveOutcome {
  bool found;        // switching times were found; the records are of them
  bool by_search;    // found by the multi-start search rather than two Newton passes
  bool misses_goal;  // the PID arm is still off its joint-1 goal at tfm
  FoundBy method;    // how the motion was found
  double passes_tf;  // the passes' final time when they gave a slower motion; 0 otherwise
};

// What the user chose (robot, gravity, elbow, task) and every number that
// follows from it before any solving: the input of the solver and both runs.
struct Conditions {
  // Selectors, with the key as typed where the console echoes it.
  Robot robot;
  char robot_key;
  Gravity gravity;
  char gravity_key;
  Elbow elbow;

  double x0, y0, xf, yf;  // PTP task: start and end point of the tip [m]

  double mw;              // work mass at the tip [kg]
  int frame_count = 200;  // index of the last stored sample
  double dt;              // time between stored samples [s]
  double tfm;             // positioning time of the feedback comparison [s]

  CylConditions cyl;
  ScaraConditions scara;
  PidDesign pid;
};

// Both robots' solutions and records; each robot keeps its own, so switching
// robots shows the other one's last motion without solving again.
struct Runs {
  RobotRun cyl_run;
  RobotRun scara_run;
  SolveOutcome outcome;  // of the last computation
  // The positioning times of the current task over reduction ratios, as far
  // as the background sweep has got.
  RatioSweep sweep;
};

// What the window shows of the runs and how; nothing here changes a number.
struct ViewState {
  int frame_index;    // sample shown, 0..frame_count
  double view_scale;  // zoom of the robot area
  Playback playback;  // playing the records at their pace
  bool answer_pending;  // a console question waits: the window keys wait too, but ESC
  bool computing;       // a new motion is being computed; the old one is shown meanwhile
  bool sweeping;        // the gear-ratio sweep of the task is being computed

  // The time-optimal tip path before the last change made in the window,
  // drawn faint for comparison until the next change (none: 0 points).
  double ghost_tip[kRecordCapacity][2];
  int ghost_points;
  double ghost_tf;      // its final time
  ViewMode view_mode;   // which picture; kept through every change of conditions
  // The lesson view shows the switching functions in place of the velocity
  // time graphs (key f); kept as view_mode is.
  bool sigma_panel;

  // A start or goal point being dragged: where the pointer holds it [m] and
  // whether the arm reaches it there (point: 0 none, 1 start, 2 goal).
  int drag_point;
  double drag_x, drag_y;
  bool drag_reachable;
  // A line the window shows until the next change (why a drop changed
  // nothing); a text with static storage, or none.
  const char* window_note;
};

// Everything main owns, as its parts: a function that needs one part takes that
// part alone, and a Scenario converts to any of them.
struct Scenario : Conditions, Runs, ViewState {
  Layout layout;  // drawing dimensions; the same for every scenario
};

inline void select_robot(Conditions& c, char key) {
  c.robot_key = key;
  c.robot = parse_robot(key);
}
inline void select_gravity(Conditions& c, char key) {
  c.gravity_key = key;
  c.gravity = parse_gravity(key);
}
