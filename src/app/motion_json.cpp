#include "app/motion_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "robot/robot_kind.h"

namespace {

// As printf's %.17g in the "C" locale, whatever LC_NUMERIC says: enough
// digits for strtod to give back the same double. JSON has no NaN or
// infinity: null stands for them.
void append_number(std::string& out, double v) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char buf[64];
#if defined(__EMSCRIPTEN__)
  // The page's C++ library has no to_chars for doubles; its printf never
  // looks at a locale, so printf itself gives the same digits.
  const int n = std::snprintf(buf, sizeof buf, "%.17g", v);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof buf) out.append(buf, static_cast<std::size_t>(n));
#else
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  if (res.ec == std::errc{}) out.append(buf, res.ptr);
#endif
}

void append_pair(std::string& out, double a, double b) {
  out += '[';
  append_number(out, a);
  out += ',';
  append_number(out, b);
  out += ']';
}

const char* method_name(FoundBy by) {
  switch (by) {
    case FoundBy::Passes: return "\"passes\"";
    case FoundBy::Search: return "\"search\"";
    case FoundBy::Direct: return "\"direct\"";
  }
  return "null";
}

// Arcs of a joint that may be read: count kept within the arrays.
int arc_count(const JointArcs& a) { return std::clamp(a.count, 0, kMaxJointArcs); }

// The sign of joint j's torque in its first arc; inside the limits, that of
// its first grid torque (0 without one).
int first_sign(const Motion& m, int j) {
  const JointArcs& a = m.joint[j];
  if (arc_count(a) > 0 && a.kind[0] != kArcInterior) return a.kind[0] > 0 ? 1 : -1;
  if (m.grid_count <= 0) return 0;
  const double tau = m.grid[0][j];
  return tau > 0 ? 1 : tau < 0 ? -1 : 0;
}

void append_switches(std::string& out, const JointArcs& a) {
  out += '[';
  for (int k = 0; k + 1 < arc_count(a); ++k) {
    if (k > 0) out += ',';
    append_number(out, a.end[k]);
  }
  out += ']';
}

void append_singular_arcs(std::string& out, const Motion& m) {
  out += '[';
  bool first = true;
  for (int j = 0; j < 2; ++j) {
    const JointArcs& a = m.joint[j];
    for (int k = 0; k < arc_count(a); ++k) {
      if (a.kind[k] != kArcInterior) continue;
      if (!first) out += ',';
      first = false;
      out += "{\"joint\":";
      out += j == 0 ? '1' : '2';
      out += ",\"from\":";
      append_number(out, k == 0 ? 0.0 : a.end[k - 1]);
      out += ",\"to\":";
      append_number(out, a.end[k]);
      out += '}';
    }
  }
  out += ']';
}

}  // namespace

std::string motion_json(const Conditions& c, const SwitchingSolution& sol) {
  const RobotKind* kind = robot_kind(c.robot);
  std::string out;
  out.reserve(512);
  out += "{\"robot\":";
  // The key as typed names the robot; any other key selects none.
  if (kind != nullptr && parse_robot(c.robot_key) == c.robot) {
    out += '"';
    out += c.robot_key;
    out += '"';
  } else {
    out += "null";
  }
  out += ",\"gravity\":";
  out += c.gravity == Gravity::On ? "\"g\"" : "\"h\"";
  const RobotConditions& r = model_conditions(c, c.robot);
  out += ",\"ratios\":";
  append_pair(out, r.u1, r.u2);
  out += ",\"start\":";
  append_pair(out, c.x0, c.y0);
  out += ",\"goal\":";
  append_pair(out, c.xf, c.yf);
  if (kind != nullptr && kind->has_elbow) {
    out += ",\"elbow\":";
    out += c.elbow == Elbow::Down ? "1" : c.elbow == Elbow::Up ? "2" : "null";
  }
  out += ",\"found\":";
  out += sol.found ? "true" : "false";
  out += ",\"method\":";
  out += sol.found ? method_name(sol.method) : "null";
  out += ",\"tf\":";
  if (sol.found) append_number(out, sol.motion.tf);
  else out += "null";
  out += ",\"tfm\":";
  append_number(out, c.tfm);
  if (sol.found) {
    const Motion& m = sol.motion;
    out += ",\"first_sign\":[";
    out += std::to_string(first_sign(m, 0));
    out += ',';
    out += std::to_string(first_sign(m, 1));
    out += "],\"switches\":[";
    append_switches(out, m.joint[0]);
    out += ',';
    append_switches(out, m.joint[1]);
    out += "],\"singular\":";
    append_singular_arcs(out, m);
    out += ",\"end_error\":";
    append_number(out, sol.end_error);
    out += ",\"costate_end\":";
    if (sol.costates) {
      out += '[';
      for (int c = 0; c < 4; ++c) {
        if (c > 0) out += ',';
        append_number(out, sol.costate_end[c]);
      }
      out += ']';
    } else {
      out += "null";
    }
  } else {
    out += ",\"first_sign\":null,\"switches\":null,\"singular\":null,\"end_error\":null,\"costate_end\":null";
  }
  out += '}';
  return out;
}

WriteResult append_json_line(JsonLinesFile& file, std::string_view line) {
  file.lines.append(line);
  file.lines += '\n';
  const WriteResult r = file.created ? write_file_replacing(file.path, file.lines)
                                     : write_file_exclusive(file.path, file.lines);
  if (r.ok) file.created = true;
  else file.failed = true;
  return r;
}
