// The motion of one robot as CSV: one line per stored sample with the time,
// then joint displacements, tip position and joint torques of the time-optimal
// run and of the PID run, then the joint velocities of both runs (added last,
// so that the columns of files written before keep their places).
#pragma once

#include <string>
#include <type_traits>

#include "app/output_file.h"

// The records of both runs, samples 0..frame_count of arrays of `capacity` rows.
struct MotionView {
  const double (*toc_phi)[2];  // time-optimal run: q1 q2
  const double (*toc_tip)[2];  //   tip x y [m]
  const double (*toc_tau)[2];  //   tau1 tau2
  const double (*fb_phi)[2];   // PID run: the same three
  const double (*fb_tip)[2];
  const double (*fb_tau)[2];
  const double (*toc_dq)[2];   // joint velocities of the time-optimal run
  const double (*fb_dq)[2];    //   and of the PID run
  const double (*toc_sigma)[2];  // the time-optimal run's switching functions, scaled
  int frame_count;  // index of the last sample
  double dt;        // time between samples [s]
  int capacity;     // rows of each array
};

// A view of any record with the members toc_phi, toc_tip, toc_tau, fb_phi,
// fb_tip, fb_tau, toc_dq, fb_dq, toc_sigma (double[N][2] each).
template <class Record>
MotionView motion_view_of(const Record& r, int frame_count, double dt) {
  return MotionView{r.toc_phi, r.toc_tip, r.toc_tau, r.fb_phi, r.fb_tip, r.fb_tau, r.toc_dq, r.fb_dq,
                    r.toc_sigma, frame_count, dt, static_cast<int>(std::extent_v<decltype(Record::toc_phi)>)};
}

// All eight arrays given and 0 <= frame_count < capacity.
bool motion_view_valid(const MotionView& m);

// v as printf's %.10g in the "C" locale, whatever LC_NUMERIC says; a NaN as
// "nan", whatever its sign bit (which machines set differently).
void append_csv_number(std::string& out, double v);

// The header line without its line end.
extern const char* const kMotionCsvHeader;

// Header and frame_count + 1 sample lines, '\n' after each; numbers as printf's
// %.10g in the "C" locale. "" for a view that is not valid.
std::string motion_csv(const MotionView& m);

// motion_csv into a new file tocsim-<robot>-<gravity>.csv (numbered if taken) in `dir`.
WriteResult write_motion_csv(const std::string& dir, char robot, char gravity, const MotionView& m);

// motion_csv into `path`, unless something of that name exists.
WriteResult write_new_motion_csv_to(const std::string& path, const MotionView& m);

// motion_csv into `path`, replacing a file of that name.
WriteResult write_motion_csv_to(const std::string& path, const MotionView& m);
