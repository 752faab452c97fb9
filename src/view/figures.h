// The robot area: 0.1 m grid, robot figures, goal marker and tip-path dots,
// described into a frame. Lengths are metres; the robot area is drawn at
// view_scale times its size, scaled toward the window centre.
#pragma once

#include "model/scenario.h"
#include "view/frame_description.h"

// Black grid of 2n + 1 lines each way about `centre`, turned by `angle`;
// the two lines through the centre are 2 pixels wide, the others 1 pixel,
// and the width is left at 1 pixel.
void describe_grid(Sketch& sketch, const Point& centre, double angle, int n, double dx, double dy);

// Cylindrical robot at joint values (theta, r): sliding beam, base block,
// joint 1 and the hand.
void describe_cyl_robot(Sketch& sketch, const Scenario& s, const double phi[2],
                        const Colour& colour);

// SCARA robot at joint angles (theta1, theta2): link 1, hand, link 2.
void describe_scara_robot(Sketch& sketch, const Scenario& s, const double phi[2],
                          const Colour& colour);

// Dot at view_scale x (robot_base + (x, y)), radius 0.01: the goal marker.
void describe_goal_marker(Sketch& sketch, const Scenario& s, double x, double y,
                          const Colour& colour);

// Radius of a tip-path dot before the zoom.
constexpr double kPathDotRadius = 0.008;

// The tip paths of both runs up to sample `last`: for i = 0 .. last the dot
// of fb[i] in red, then the dot of toc[i] in blue, at view_scale x
// (robot_base + point), radius view_scale x kPathDotRadius, one Dots item.
// Where a point of a tip path (metres from joint 1) is drawn.
Point path_dot(const Scenario& s, const double p[2]);

// The marker of a start or goal point being dragged, with its coordinates,
// crossed out where the arm cannot reach it; nothing while none is dragged.
void describe_drag_marker(Sketch& sk, const Scenario& s);

// The time-optimal tip path from before the last change made in the window
// (the ghost), in faint grey dots like the tip paths; nothing without one.
void describe_ghost_path(FrameDescription& frame, const Scenario& s);

void describe_path_points(FrameDescription& frame, const Scenario& s, const double (*fb)[2],
                          const double (*toc)[2], int last);
