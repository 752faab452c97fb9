// Default parameters of both robots, the PTP task, the PID design and the layout.
#pragma once

#include "model/scenario.h"

// Dimensions the defaults and the drawing share.
constexpr double kWorkMass = 1.0;        // mw [kg]
constexpr double kCylArmLength = 1.0;    // L [m]
constexpr double kScaraLink1 = 0.5;      // l1 [m]
constexpr double kScaraLink2 = 0.4;      // l2 [m]
constexpr double kHandLength = 0.12;     // drawn hand [m]
constexpr int kDefaultFrameCount = 200;  // index of the last stored sample

// Fills every default number: parameters, task points, PID design, layout,
// frame_count, elbow down. Joint angles and derived conditions are not computed.
void set_defaults(Scenario& s);
