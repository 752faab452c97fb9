#include "app/sweep_csv.h"

#include "app/motion_csv.h"

const char* const kSweepCsvHeader = "axis,u,tf,tfm,found";

namespace {

bool complete(const RatioSweep& sweep) {
  if (!sweep.robot_selected) return false;
  for (const auto& axis : sweep.axis)
    for (const SweepPoint& p : axis)
      if (!p.done) return false;
  return true;
}

WriteResult not_complete(const std::string& where) {
  return WriteResult{false, "", "cannot write " + where + ": the sweep is not complete"};
}

}  // namespace

std::string sweep_csv(const RatioSweep& sweep) {
  if (!complete(sweep)) return "";
  std::string out = kSweepCsvHeader;
  out += '\n';
  for (int a = 0; a < 2; ++a) {
    for (const SweepPoint& p : sweep.axis[a]) {
      out += a == 0 ? "1," : "2,";
      append_csv_number(out, p.u);
      out += ',';
      if (p.found) append_csv_number(out, p.tf);
      out += ',';
      append_csv_number(out, p.tfm);
      out += p.found ? ",1\n" : ",0\n";
    }
  }
  return out;
}

WriteResult write_sweep_csv(const std::string& dir, char robot, char gravity,
                            const RatioSweep& sweep) {
  const std::string stem = motion_stem(robot, gravity) + "-sweep";
  if (!complete(sweep)) return not_complete(join_path(dir, stem + ".csv"));
  return write_new_file(dir, stem, "csv", sweep_csv(sweep));
}

WriteResult write_new_sweep_csv_to(const std::string& path, const RatioSweep& sweep) {
  if (!complete(sweep)) return not_complete(path);
  return write_file_exclusive(path, sweep_csv(sweep));
}
