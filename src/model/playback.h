// Playing the stored motion at its real pace, pausing, stepping and changing
// the speed. Pure logic: time comes in as seconds of an elapsed clock, so the
// same rules drive the window's timer and the tests. The sample shown belongs
// to the caller; these functions tell it what to show.
#pragma once

#include <string>
#include <string_view>

constexpr int kMinSpeedLog2 = -3;  // 1/8x
constexpr int kMaxSpeedLog2 = 3;   // 8x

struct Playback {
  bool playing = false;
  int speed_log2 = 0;        // speed = 2^speed_log2, kMinSpeedLog2..kMaxSpeedLog2
  double anchor_time = 0.0;  // clock reading when anchor_sample was shown
  int anchor_sample = 0;     // sample shown at anchor_time
};

// A time step the playback can advance by: finite and positive.
bool usable_dt(double dt);

// 2^speed_log2 with speed_log2 clamped to the limits.
double speed_factor(int speed_log2);

// Sample due at `now` while playing: anchor_sample + floor((now - anchor_time)
// * speed / dt), clamped to 0..last. A clock reading before the anchor counts
// as the anchor. Without a usable dt, or when paused, the anchor sample.
int sample_at(const Playback& pb, double now, double dt, int last);

// Space: pauses while playing; otherwise plays from `shown`, or from sample 0
// (written to `shown`) when `shown` is the last sample or past it.
void toggle_play(Playback& pb, double now, int& shown, int last);

// Timer: writes the sample due at `now` to `shown` and returns whether it
// changed. Reaching the last sample stops the playback there. Without a usable
// dt nothing advances and the playback stops.
bool tick(Playback& pb, double now, double dt, int last, int& shown);

// + and -: double or halve the speed within the limits. While playing, the
// playback goes on from `shown` at `now`, so the change does not jump.
// Return whether the speed changed.
bool faster(Playback& pb, double now, int shown);
bool slower(Playback& pb, double now, int shown);

// Stops playing; the sample shown stays. Step keys and condition dialogues pause.
void pause(Playback& pb);

enum class Step {
  Next,      // s, Right arrow: one sample on, at most the last
  Previous,  // Left arrow: one sample back, at least 0
  First,     // Home, '0': sample 0
  Last,      // End: the last sample
};

// Pauses and returns the sample to show after the step from `shown`.
int step(Playback& pb, Step which, int shown, int last);

// "2x", "1/4x", "1x" for speed_log2 1, -2, 0.
std::string speed_text(int speed_log2);

// "t = 1.20 s  (60/200)", then the note when there is one (two spaces before
// it: "answer in the console" while a console question waits, "computing..."
// while a new motion is being computed), "  2x" when the speed is not 1x,
// and "  playing" while playing. The decimal point is '.' in every locale.
std::string playback_readout(double t, int sample, int last, int speed_log2, bool playing,
                             std::string_view note = {});
