// A task handed out with the program: the robot, gravity, ratios, points and
// elbow given on the command line (or in the web page's address) answer the
// start-up dialogue's questions just as a user would type them.
//
// The answers are a string of typed input, read before the user's own input
// (Console::answer_first). They answer the questions in the order the dialogue
// asks them, from the first one on, up to the last question a given item
// decides; questions in between get the answer that keeps what is there, and
// every question after the last one is the user's. As the answers come first,
// an item needs those whose questions come before its own:
//
//   question            answer
//   type=               robot                      (robot given)
//   sgnG=               gravity                    (gravity given; needs robot)
//   change anything?    y                          (ratios or points given)
//   ratios gate         y with ratios, otherwise z (z keeps the ratios)
//   u1 u2=              U1 U2                      (ratios given)
//   gravity change      gravity, as for sgnG=      (keeps it)
//   points gate         y                          (points given)
//   x0 y0 xf yf=        X0 Y0 XF YF                (points given)
//   elbow               elbow                      (elbow given; needs robot b and points)
//
// Ratios and points need robot and gravity. Each answer is one line; keys
// are the letters or digits themselves, numbers are written exactly as they
// were given, separated by one space.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The items of a task, in the order of their questions.
enum class TaskItem { Robot, Gravity, Ratios, Points, Elbow };

struct TaskOptions {
  char robot = 0;    // 'a' or 'b'; 0: not given
  char gravity = 0;  // 'g' or 'h'; 0: not given
  std::vector<std::string> ratios;  // U1, U2 as written; empty: not given
  std::vector<std::string> points;  // X0, Y0, XF, YF as written; empty: not given
  char elbow = 0;    // '1' or '2'; 0: not given

  bool operator==(const TaskOptions&) const = default;
};

// "robot", "gravity", "ratios", "points", "elbow": the option is "--" and the
// name, the page's address parameter the name itself.
const char* task_item_name(TaskItem item);
std::optional<TaskItem> task_item_named(std::string_view name);

// What an item takes, as the help writes it: "a|b", "g|h", "U1,U2",
// "X0,Y0,XF,YF", "1|2".
const char* task_item_values(TaskItem item);

// Sets an item from its value as written: a key of its own, or numbers
// separated by commas, as many as it takes, each a decimal with an optional
// sign and exponent ([+-]digits[.digits][(e|E)[+-]digits], a point
// with digits on at least one side; no white space, no "nan" or "inf").
// False, and t unchanged, when the value is not one the item takes.
bool set_task_item(TaskOptions& t, TaskItem item, std::string_view value);

bool has_task_item(const TaskOptions& t, TaskItem item);

// The item's value as it was given ("b", "0.8,0,0.2,0.8"); empty when not given.
std::string task_item_value(const TaskOptions& t, TaskItem item);

// The first item, in question order, given without what its questions come
// after, or none: gravity without robot, ratios or points without robot and
// gravity, elbow without robot b or without points.
std::optional<TaskItem> task_item_out_of_order(const TaskOptions& t);

// What an item needs with it, as a command line:
// "--robot a|b --gravity g|h --points X0,Y0,XF,YF" for points.
std::string task_item_usage(TaskItem item);

// The typed answers of the task (see above); empty when no item is given.
// An item out of order answers nothing (the command line refuses it).
std::string task_answers(const TaskOptions& t);

}  // namespace app
