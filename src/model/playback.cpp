#include "model/playback.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <system_error>

namespace {

// A sample due within this many steps counts as due, so that elapsed times
// that are whole multiples of dt are not lost to rounding (1.2 / 0.02 < 60).
constexpr double kStepSlack = 1e-9;

int clamp_sample(long long sample, int last) {
  return static_cast<int>(std::clamp<long long>(sample, 0, std::max(last, 0)));
}

void anchor(Playback& pb, double now, int sample) {
  pb.anchor_time = now;
  pb.anchor_sample = sample;
}

bool change_speed(Playback& pb, double now, int shown, int by) {
  const int next = std::clamp(pb.speed_log2 + by, kMinSpeedLog2, kMaxSpeedLog2);
  if (next == pb.speed_log2) return false;
  pb.speed_log2 = next;
  if (pb.playing) anchor(pb, now, shown);
  return true;
}

}  // namespace

bool usable_dt(double dt) { return std::isfinite(dt) && dt > 0.0; }

double speed_factor(int speed_log2) {
  return std::ldexp(1.0, std::clamp(speed_log2, kMinSpeedLog2, kMaxSpeedLog2));
}

int sample_at(const Playback& pb, double now, double dt, int last) {
  const int from = clamp_sample(pb.anchor_sample, last);
  if (!pb.playing || !usable_dt(dt)) return from;
  const double steps = (now - pb.anchor_time) * speed_factor(pb.speed_log2) / dt + kStepSlack;
  // NaN (an unusable clock reading) and time before the anchor stay put.
  if (!(steps >= 1.0)) return from;
  const int remaining = std::max(last, 0) - from;
  // Compared as doubles first: only a count below `remaining` becomes an int.
  if (!(steps < static_cast<double>(remaining))) return std::max(last, 0);
  return from + static_cast<int>(std::floor(steps));
}

void toggle_play(Playback& pb, double now, int& shown, int last) {
  if (pb.playing) {
    pause(pb);
    return;
  }
  if (shown >= last) shown = 0;
  shown = clamp_sample(shown, last);
  anchor(pb, now, shown);
  pb.playing = true;
}

bool tick(Playback& pb, double now, double dt, int last, int& shown) {
  if (!pb.playing) return false;
  if (!usable_dt(dt)) {
    pause(pb);
    return false;
  }
  const int due = sample_at(pb, now, dt, last);
  const bool changed = due != shown;
  shown = due;
  if (due >= last) {
    pause(pb);
    anchor(pb, now, due);
  }
  return changed;
}

bool faster(Playback& pb, double now, int shown) { return change_speed(pb, now, shown, +1); }

bool slower(Playback& pb, double now, int shown) { return change_speed(pb, now, shown, -1); }

void pause(Playback& pb) { pb.playing = false; }

int step(Playback& pb, Step which, int shown, int last) {
  pause(pb);
  switch (which) {
    case Step::Next:
      return clamp_sample(static_cast<long long>(shown) + 1, last);
    case Step::Previous:
      return clamp_sample(static_cast<long long>(shown) - 1, last);
    case Step::First:
      return 0;
    case Step::Last:
      return std::max(last, 0);
  }
  return clamp_sample(shown, last);
}

std::string speed_text(int speed_log2) {
  const int k = std::clamp(speed_log2, kMinSpeedLog2, kMaxSpeedLog2);
  if (k >= 0) return std::to_string(1 << k) + "x";
  return "1/" + std::to_string(1 << -k) + "x";
}

std::string playback_readout(double t, int sample, int last, int speed_log2, bool playing,
                             std::string_view note) {
  // to_chars formats as printf's %.2f does in the "C" locale, whatever LC_NUMERIC
  // says; the largest double takes 309 digits before the point.
  char num[400];
#if defined(__EMSCRIPTEN__)
  // The page's C++ library has no to_chars for doubles; its printf never
  // looks at a locale, so printf itself gives the same digits.
  const int n = std::snprintf(num, sizeof num, "%.2f", t);
  const std::string time = n > 0 && static_cast<std::size_t>(n) < sizeof num
                               ? std::string(num, static_cast<std::size_t>(n))
                               : std::string("?");
#else
  const auto res = std::to_chars(num, num + sizeof num, t, std::chars_format::fixed, 2);
  const std::string time = res.ec == std::errc{} ? std::string(num, res.ptr) : std::string("?");
#endif
  std::string text = "t = " + time + " s  (" + std::to_string(sample) + "/" +
                     std::to_string(last) + ")";
  if (!note.empty()) {
    text += "  ";
    text += note;
  }
  if (std::clamp(speed_log2, kMinSpeedLog2, kMaxSpeedLog2) != 0) text += "  " + speed_text(speed_log2);
  if (playing) text += "  playing";
  return text;
}
