#include "app/motion_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

const char* const kMotionCsvHeader =
    "t_s,toc_q1,toc_q2,toc_x_m,toc_y_m,toc_tau1,toc_tau2,"
    "pid_q1,pid_q2,pid_x_m,pid_y_m,pid_tau1,pid_tau2,"
    "toc_dq1,toc_dq2,pid_dq1,pid_dq2,toc_sigma1,toc_sigma2";

void append_csv_number(std::string& out, double v) {
  if (std::isnan(v)) v = std::fabs(v);
  char buf[64];
#if defined(__EMSCRIPTEN__)
  // The page's C++ library has no to_chars for doubles; its printf never
  // looks at a locale, so printf itself gives the same digits.
  const int n = std::snprintf(buf, sizeof buf, "%.10g", v);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof buf) out.append(buf, static_cast<std::size_t>(n));
#else
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
  if (res.ec == std::errc{}) out.append(buf, res.ptr);
#endif
}

namespace {

void append_number(std::string& out, double v) { append_csv_number(out, v); }

void append_pair(std::string& out, const double (*rows)[2], int k) {
  out += ',';
  append_number(out, rows[k][0]);
  out += ',';
  append_number(out, rows[k][1]);
}

WriteResult not_valid(const std::string& where) {
  return WriteResult{false, "", "cannot write " + where + ": no stored motion to write"};
}

}  // namespace

bool motion_view_valid(const MotionView& m) {
  for (const double (*rows)[2] :
       {m.toc_phi, m.toc_tip, m.toc_tau, m.fb_phi, m.fb_tip, m.fb_tau, m.toc_dq, m.fb_dq,
        m.toc_sigma})
    if (rows == nullptr) return false;
  return m.frame_count >= 0 && m.frame_count < m.capacity;
}

std::string motion_csv(const MotionView& m) {
  if (!motion_view_valid(m)) return "";
  std::string out = kMotionCsvHeader;
  out += '\n';
  out.reserve(out.size() + static_cast<std::size_t>(m.frame_count + 1) * 19 * 18);
  for (int k = 0; k <= m.frame_count; ++k) {
    append_number(out, static_cast<double>(k) * m.dt);
    append_pair(out, m.toc_phi, k);
    append_pair(out, m.toc_tip, k);
    append_pair(out, m.toc_tau, k);
    append_pair(out, m.fb_phi, k);
    append_pair(out, m.fb_tip, k);
    append_pair(out, m.fb_tau, k);
    append_pair(out, m.toc_dq, k);
    append_pair(out, m.fb_dq, k);
    append_pair(out, m.toc_sigma, k);
    out += '\n';
  }
  return out;
}

WriteResult write_motion_csv(const std::string& dir, char robot, char gravity, const MotionView& m) {
  const std::string stem = motion_stem(robot, gravity);
  if (!motion_view_valid(m)) return not_valid(join_path(dir, stem + ".csv"));
  return write_new_file(dir, stem, "csv", motion_csv(m));
}

WriteResult write_new_motion_csv_to(const std::string& path, const MotionView& m) {
  if (!motion_view_valid(m)) return not_valid(path);
  return write_file_exclusive(path, motion_csv(m));
}

WriteResult write_motion_csv_to(const std::string& path, const MotionView& m) {
  if (!motion_view_valid(m)) return not_valid(path);
  return write_file_replacing(path, motion_csv(m));
}
