// The robot area: 0.1 m grid, robot figures, goal marker and tip-path dots.
// Lengths are metres; the robot area is drawn at view_scale times its size,
// scaled toward the window centre.
#pragma once

#include "model/scenario.h"
#include "view/primitives.h"

// Black grid of 2n + 1 lines each way about `centre`, turned by `angle`;
// the two lines through the centre are 2 pixels wide, the others 1 pixel,
// and the width is left at 1 pixel.
void draw_grid(const Point& centre, double angle, int n, double dx, double dy);

// Cylindrical robot at joint values (theta, r): sliding beam, base block,
// joint 1 and the hand.
void draw_cyl_robot(const Scenario& s, const double phi[2], const Colour& colour);

// SCARA robot at joint angles (theta1, theta2): link 1, hand, link 2.
void draw_scara_robot(const Scenario& s, const double phi[2], const Colour& colour);

// One SCARA link (k = 1 or 2) from joint position `joint` (metres) at `angle`.
void draw_scara_link(const Scenario& s, int k, const Point& joint, double length, double width,
                     double angle, const Colour& colour);

// Hand with its fingers, the work piece centred on the tip and the red tip dot.
void draw_hand(const Scenario& s, const Point& tip, double angle, const Colour& colour);

// Dots at view_scale x (robot_base + point): goal marker (radius 0.01) and
// tip-path point (radius 0.008).
void draw_goal_marker(const Scenario& s, double x, double y, const Colour& colour);

// The tip paths of both runs up to sample `last`: for i = 0 .. last the dot of
// fb[i] in red, then the dot of toc[i] in blue (radius 0.008 as above), all
// in one draw.
void draw_path_points(const Scenario& s, const double (*fb)[2], const double (*toc)[2], int last);
