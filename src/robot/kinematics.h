// Inverse and forward kinematics of both robots.
#pragma once


// (x, y) -> (theta, r); the base point gives (0, 0).
void cylindrical_ik(double x, double y, double out[2]);

// (x, y) -> (q1, q2) on the 2-pi branch nearest to ref. Returns whether the
// point is within reach; an unreachable point gives angles that are not numbers.
bool scara_ik_elbow_down(double l1, double l2, double x, double y, const double ref[2],
                         double out[2]);
bool scara_ik_elbow_up(double l1, double l2, double x, double y, const double ref[2],
                       double out[2]);

// Per joint: the one of v, v+2pi, v-2pi, v+4pi, v-4pi nearest to ref (earlier wins ties).
void nearest_branch_angles(const double ref[2], const double cand[2], double out[2]);

void cylindrical_tip(double theta, double r, double out[2]);
void scara_tip(double l1, double l2, double q1, double q2, double out[2]);
