// Fuzz target: arbitrary bytes as the whole console input of one session.
//
// A fresh scenario runs the start-up dialogue on a scripted console over the
// bytes; after it, each further key the console hands out (the next byte that
// is not white space) is pressed in the window through the session, and the keys
// that run the dialogue read their answers from the same bytes. The session
// ends at ESC or when the input runs out.
//
// Checked after every key: the shown sample lies in 0..frame_count and
// frame_count fits the motion records; the pure helpers of the drawing code
// that index tables (ratio digits, seconds label, sample clamp) stay inside
// their tables for every value the session produced. Checked at the end: the
// session read at most one more time than there are input bytes, since every
// read either consumes a byte or ends the input.
//
// With TOCSIM_FUZZ_STRICT=1 in the environment, a dialogue run that reports
// switching times must also leave finite motion records (joint values and
// torques of both runs, samples 0..frame_count) for the robot shown. It is not
// on by default: a robot key other than a or b runs the cylindrical model with
// whatever conditions an earlier run left, which may be infinite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/session.h"
#include "app/startup.h"
#include "console/console.h"
#include "model/scenario.h"
#include "view/caption_text.h"
#include "view/scales.h"

namespace {

// Dialogue runs (besides the one of the start-up) per input: each one solves
// the time-optimal problem, which takes up to a tenth of a second. Further
// condition keys are dropped so that the fuzzer stays fast.
constexpr int kMaxDialogueKeys = 4;

// A solve that fails runs the multi-start search, up to a second in this
// build, and every three bytes can ask for another attempt: longer inputs use
// the two Newton passes alone, so no input comes near the time limit.
constexpr std::size_t kMaxBytesWithSearch = 48;
// The optimal solver's direct method costs more still: shorter inputs only.
constexpr std::size_t kMaxBytesWithDirect = 24;

bool strict = false;

void require(bool ok, const char* what, double a = 0, double b = 0) {
  if (ok) return;
  std::fprintf(stderr, "\ninvariant broken: %s (%.17g, %.17g)\n", what, a, b);
  std::abort();
}

bool is_condition_key(char key) {
  return key == 'a' || key == 'b' || key == 'u' || key == 'g' || key == 'h' || key == 'k';
}

void check_view_state(const Scenario& s) {
  require(s.frame_count >= 0 && s.frame_count < kRecordCapacity, "frame_count outside the records",
          s.frame_count);
  require(s.frame_index >= 0 && s.frame_index <= s.frame_count, "frame_index outside 0..frame_count",
          s.frame_index, s.frame_count);
  require(clamped_frame(s.frame_index) == s.frame_index, "clamp moved a valid sample", s.frame_index);
}

// Three characters of the digit table, or "###"; digits only for 0 <= v < 1000,
// and then they spell trunc(v), or the next whole number when v lies within
// rounding of it (v / 100 and v / 10 are rounded quotients).
void check_ratio_digits(double v) {
  const std::string d = ratio_digits(v);
  require(d.size() == 3, "ratio digits not three characters", v, static_cast<double>(d.size()));
  const bool near_next = std::ceil(v) - v < 1e-9 * (1.0 + std::fabs(v));
  if (d == "###") {
    require(!(v >= 0.0 && v < 1000.0) || (v > 999.0 && near_next), "a ratio in range shown as ###", v);
    return;
  }
  require(v >= 0.0 && v < 1000.0, "digits for a ratio out of range", v);
  int shown = 0;
  for (char c : d) {
    require(c >= '0' && c <= '9', "ratio digit outside 0..9", v, c);
    shown = shown * 10 + (c - '0');
  }
  const int whole = static_cast<int>(std::trunc(v));
  require(shown == whole || (shown == whole + 1 && near_next), "ratio digits do not spell the ratio",
          v, shown);
}

void check_ratio_text(const Scenario& s) {
  const std::string t = ratio_text(s);
  require(t.size() == 10 && t[0] == '(' && t[4] == ',' && t[8] == ')' && t[9] == '\n',
          "ratio text malformed", static_cast<double>(t.size()));
}

void check_ticks(double dt, int n, double width) {
  const TimeTicks t = time_ticks(dt, n, width);
  require(t.count >= 0 && t.count <= kMaxTicks, "tick count out of range", dt, t.count);
  require(t.label >= 0 && t.label <= 9, "seconds digit out of range", dt, t.label);
  require(t.label == (t.count > 9 ? 9 : t.count), "seconds digit is not the last tick", dt, t.label);
  // The seconds label takes its character from the digit table, as the axis does.
  const char c = digit_chars[t.label];
  require(c >= '0' && c <= '9', "seconds label not a digit", dt, c);
  if (t.count > 0) require(std::isfinite(t.step) && std::isfinite(t.label_x), "tick step not finite", dt, t.step);
}

void check_drawing_helpers(const Scenario& s) {
  check_ratio_text(s);
  // Every number the user could type ends up in one of these.
  const double typed[] = {s.cyl.u1, s.cyl.u2, s.scara.u1, s.scara.u2, s.x0, s.y0, s.xf, s.yf};
  for (double v : typed) check_ratio_digits(v);

  // The axis as drawn, and the same computation fed with the typed numbers as
  // the sample time or the axis width, on a few sample counts.
  check_ticks(s.dt, s.frame_count, s.layout.graph_width);
  for (double v : typed) {
    for (int n : {s.frame_count, 1, 0, -1}) {
      check_ticks(v, n, s.layout.graph_width);
      check_ticks(s.dt, n, v);
    }
  }

  const JointRange r = joint_range(s, s.robot, s.frame_count);
  const double sigma = displacement_scale(r, 0.4);
  require(std::isfinite(sigma), "displacement scale not finite", sigma);
  for (Robot robot : {Robot::Cylindrical, Robot::Scara}) {
    const RobotConditions& rec = model_conditions(s, robot);
    for (double limit : {rec.tau1max_h, rec.tau2max_h, rec.tau1max_g, rec.tau2max_g}) {
      const std::optional<double> k = torque_scale(0.25, limit);
      if (k) require(std::isfinite(*k), "torque scale not finite", limit, *k);
    }
  }
}

// After a dialogue run that returned, i.e. found switching times.
void check_solution(const Scenario& s) {
  if (!strict) return;
  const RobotRun& r = model_run(s, s.robot);
  for (int k = 0; k <= s.frame_count; ++k) {
    for (int j = 0; j < 2; ++j) {
      require(std::isfinite(r.toc_phi[k][j]) && std::isfinite(r.fb_phi[k][j]),
              "solution with a joint value that is not finite", k, j);
      require(std::isfinite(r.toc_tau[k][j]) && std::isfinite(r.fb_tau[k][j]),
              "solution with a torque that is not finite", k, j);
    }
  }
}

void run_session(const std::string& input) {
  auto s = std::make_unique<Scenario>();  // value-initialised, as Scenario s{}
  Console con(input, Encoding::Utf8);
  Ui out{con, Lang::Ja};
  out.solver = input.size() <= kMaxBytesWithDirect   ? SolverChoice::Optimal
               : input.size() <= kMaxBytesWithSearch ? SolverChoice::Extended
                                                     : SolverChoice::Reference;
  const Progress startup = DialogueRun(run_startup(*s, out)).finish(out);
  require(startup != Progress::Waiting, "a scripted start-up waits for input");
  if (startup == Progress::Done) {
    check_solution(*s);
    check_view_state(*s);
    check_drawing_helpers(*s);
    Session window(*s, out);
    int dialogue_keys = 0;
    for (;;) {
      con.clear_output();
      const std::optional<char> key = con.read_key();
      if (!key) break;  // the input ended between keys
      if (is_condition_key(*key) && ++dialogue_keys > kMaxDialogueKeys) continue;
      const KeyAction action = window.key(static_cast<unsigned char>(*key), 0.0);
      check_view_state(*s);
      require(!window.in_dialogue(), "a scripted dialogue waits for input");
      if (action == KeyAction::Quit) {
        require(window.exit_status() == 0 || window.exit_status() == 1, "unexpected exit status",
                window.exit_status());
        break;
      }
      if (is_condition_key(*key)) {
        check_solution(*s);
        check_drawing_helpers(*s);
      }
      require(con.reads() <= static_cast<long>(input.size()) + 1, "more reads than input bytes",
              con.reads(), input.size());
    }
  }
  check_view_state(*s);
  require(con.reads() <= static_cast<long>(input.size()) + 1, "more reads than input bytes",
          con.reads(), input.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* v = std::getenv("TOCSIM_FUZZ_STRICT");
  strict = v != nullptr && v[0] == '1';
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run_session(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
