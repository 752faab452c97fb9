#include "view/text.h"

#include "view/caption_text.h"
#include "view/robot_drawing.h"

namespace {

// Why the window waits, if it does.
std::string_view readout_note(const Scenario& s) {
  if (s.answer_pending) return "answer in the console";
  if (s.computing) return "computing...";
  return {};
}

}  // namespace

void describe_title(FrameDescription& f) {
  f.text(TextFont::Helvetica18, -0.99, 0.95, "Time optimal control : Comparison with PID control");
}

void describe_captions(FrameDescription& f, const Scenario& s) {
  const double x0 = -0.95;
  const TextFont font = TextFont::Helvetica18;
  if (const RobotDrawing* drawing = robot_drawing(s.robot)) f.text(font, x0, 0.9, drawing->caption);
  if (s.gravity == Gravity::On) f.text(font, x0 + 0.05, 0.85, "Vertical motion");
  if (s.gravity == Gravity::Off) f.text(font, x0 + 0.05, 0.85, "Horizontal motion");
  f.text(font, x0 + 0.05, 0.8, "Reduction ratio (u1, u2)=");
  f.text(font, x0 + 0.55, 0.8, ratio_text(s));
  f.text(font, x0 + 0.05, 0.75, "blue : Time optimal control");
  f.text(font, x0 + 0.05, 0.7, "red : PID control");
  f.text(font, x0 + 0.05, 0.65, "1 grid=(0.1, 0.1)[m]");
}

void describe_readout(FrameDescription& f, const Scenario& s) {
  f.text(TextFont::Helvetica18, -0.9, 0.6,
         playback_readout(s.frame_index * s.dt, s.frame_index, s.frame_count,
                          s.playback.speed_log2, s.playback.playing, readout_note(s)));
}

void describe_window_note(FrameDescription& f, const Scenario& s) {
  if (s.window_note != nullptr && s.window_note[0] != '\0')
    f.text(TextFont::Helvetica18, -0.9, 0.55, s.window_note);
}
