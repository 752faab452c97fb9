// Between the window's pixels and the robot area's metres: where the pointer
// is in the task's plane, and which task point (the start, the goal) lies
// under it. Pure arithmetic, the inverse of how the robot area is drawn.
#pragma once

#include "model/scenario.h"
#include "view/primitives.h"

// The point of the task plane [m] at the top left corner of window pixel
// (px, py), counted from the window's top left as GLUT reports the pointer,
// in a width x height window.
Point pointer_in_metres(const Scenario& s, int px, int py, int width, int height);

// Window pixel (from the top left) where the task plane's point p [m] is drawn.
Point metres_in_window(const Scenario& s, const Point& p, int width, int height);

enum class TaskPoint { None, Start, Goal };

// Within this many pixels of a task point the pointer takes hold of it.
constexpr double kGrabPixels = 8.0;

// The task point within kGrabPixels of window pixel (px, py): the start (the
// tip at the first sample of the motion shown) or the goal, the nearer one
// when both are; None without a robot shown.
TaskPoint task_point_at(const Scenario& s, int px, int py, int width, int height);
