// The task items and the answers they type.
#include "app/task_answers.h"

namespace app {
namespace {

struct ItemInfo {
  TaskItem item;
  const char* name;
  const char* values;
  const char* usage;  // the item with what it needs, as a command line
  const char* keys;   // the keys it takes; nullptr: numbers
  int count;          // how many numbers
};

constexpr ItemInfo kItems[] = {
    {TaskItem::Robot, "robot", "a|b", "--robot a|b", "ab", 0},
    {TaskItem::Gravity, "gravity", "g|h", "--robot a|b --gravity g|h", "gh", 0},
    {TaskItem::Ratios, "ratios", "U1,U2", "--robot a|b --gravity g|h --ratios U1,U2", nullptr, 2},
    {TaskItem::Points, "points", "X0,Y0,XF,YF", "--robot a|b --gravity g|h --points X0,Y0,XF,YF",
     nullptr, 4},
    {TaskItem::Elbow, "elbow", "1|2", "--robot b --gravity g|h --points X0,Y0,XF,YF --elbow 1|2",
     "12", 0},
};

const ItemInfo& info(TaskItem item) {
  for (const ItemInfo& i : kItems)
    if (i.item == item) return i;
  return kItems[0];
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// [+-]digits[.digits][(e|E)[+-]digits], with digits on at least one side of
// the point: a word the console reads as one number to its last character,
// and a rule the page's script can check just as well.
bool is_decimal(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < s.size() && is_digit(s[i])) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == s.size();
}

// The numbers of a value separated by commas, when there are `count` of them.
std::optional<std::vector<std::string>> split_numbers(std::string_view value, int count) {
  std::vector<std::string> numbers;
  for (;;) {
    const std::size_t comma = value.find(',');
    const std::string_view number = value.substr(0, comma);
    if (!is_decimal(number)) return std::nullopt;
    numbers.emplace_back(number);
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  if (static_cast<int>(numbers.size()) != count) return std::nullopt;
  return numbers;
}

std::string joined(const std::vector<std::string>& parts, char between) {
  std::string s;
  for (const std::string& p : parts) {
    if (!s.empty()) s += between;
    s += p;
  }
  return s;
}

char& key_of(TaskOptions& t, TaskItem item) {
  return item == TaskItem::Robot ? t.robot : item == TaskItem::Gravity ? t.gravity : t.elbow;
}

std::vector<std::string>& numbers_of(TaskOptions& t, TaskItem item) {
  return item == TaskItem::Ratios ? t.ratios : t.points;
}

}  // namespace

const char* task_item_name(TaskItem item) { return info(item).name; }

std::optional<TaskItem> task_item_named(std::string_view name) {
  for (const ItemInfo& i : kItems)
    if (name == i.name) return i.item;
  return std::nullopt;
}

const char* task_item_values(TaskItem item) { return info(item).values; }

std::string task_item_usage(TaskItem item) { return info(item).usage; }

bool set_task_item(TaskOptions& t, TaskItem item, std::string_view value) {
  const ItemInfo& i = info(item);
  if (i.keys != nullptr) {
    if (value.size() != 1 || std::string_view(i.keys).find(value[0]) == std::string_view::npos)
      return false;
    key_of(t, item) = value[0];
    return true;
  }
  std::optional<std::vector<std::string>> numbers = split_numbers(value, i.count);
  if (!numbers) return false;
  numbers_of(t, item) = std::move(*numbers);
  return true;
}

bool has_task_item(const TaskOptions& t, TaskItem item) {
  return !task_item_value(t, item).empty();
}

std::string task_item_value(const TaskOptions& t, TaskItem item) {
  switch (item) {
    case TaskItem::Robot: return t.robot != 0 ? std::string(1, t.robot) : "";
    case TaskItem::Gravity: return t.gravity != 0 ? std::string(1, t.gravity) : "";
    case TaskItem::Ratios: return joined(t.ratios, ',');
    case TaskItem::Points: return joined(t.points, ',');
    case TaskItem::Elbow: return t.elbow != 0 ? std::string(1, t.elbow) : "";
  }
  return "";
}

std::optional<TaskItem> task_item_out_of_order(const TaskOptions& t) {
  const bool robot = t.robot != 0, gravity = t.gravity != 0;
  if (gravity && !robot) return TaskItem::Gravity;
  if (!t.ratios.empty() && !(robot && gravity)) return TaskItem::Ratios;
  if (!t.points.empty() && !(robot && gravity)) return TaskItem::Points;
  if (t.elbow != 0 && !(t.robot == 'b' && gravity && !t.points.empty())) return TaskItem::Elbow;
  return std::nullopt;
}

std::string task_answers(const TaskOptions& t) {
  std::string typed;
  auto answer = [&typed](const std::string& line) { typed += line + "\n"; };
  if (t.robot == 0) return typed;
  answer(std::string(1, t.robot));  // type=
  if (t.gravity == 0) return typed;
  const std::string gravity(1, t.gravity);
  answer(gravity);  // sgnG=
  if (t.ratios.empty() && t.points.empty()) return typed;
  answer("y");  // change anything?
  if (t.ratios.empty()) {
    answer("z");  // the ratios stay
  } else {
    answer("y");
    answer(joined(t.ratios, ' '));  // u1 u2=
  }
  answer(gravity);  // the gravity question again: it stays
  if (t.points.empty()) return typed;
  answer("y");
  answer(joined(t.points, ' '));  // x0 y0 xf yf=
  if (t.robot == 'b' && t.elbow != 0) answer(std::string(1, t.elbow));
  return typed;
}

}  // namespace app
