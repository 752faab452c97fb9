#include "app/key_table.h"

#include "app/motion_csv.h"
#include "app/png_file.h"
#include "app/sweep_csv.h"

namespace {

constexpr int kEscape = 27;

KeyAction show_step(Scenario& s, Step which) {
  s.frame_index = step(s.playback, which, s.frame_index, s.frame_count);
  return KeyAction::Redraw;
}

void say_result(Ui& ui, const WriteResult& r) {
  if (r.ok) {
    ui.sayf(Text::Saved, r.path.c_str());
  } else {
    ui.sayf(Text::NotSaved, r.error.c_str());
  }
}

}  // namespace

bool is_condition_key(int key) {
  return key == 'a' || key == 'b' || key == 'g' || key == 'h' || key == 'u' || key == 'k';
}

std::optional<DialogueEntry> begin_condition_key(Scenario& s, Ui& ui, int key) {
  if (!is_condition_key(key)) return std::nullopt;
  pause(s.playback);
  // Keys typed on the terminal while the window had the user's eye must
  // not answer the first question.
  ui.con.discard_typed_ahead();
  s.frame_index = 0;
  if (key == 'a' || key == 'b') {
    select_robot(s, static_cast<char>(key));
    return DialogueEntry::Heading;
  }
  if (key == 'g' || key == 'h') {
    select_gravity(s, static_cast<char>(key));
    return DialogueEntry::Recompute;
  }
  return key == 'u' ? DialogueEntry::Ratios : DialogueEntry::Points;
}

KeyAction apply_key(Scenario& s, Ui& ui, int key, double now) {
  switch (key) {
    case ' ':
      toggle_play(s.playback, now, s.frame_index, s.frame_count);
      return KeyAction::Redraw;
    case '+':
      return faster(s.playback, now, s.frame_index) ? KeyAction::Redraw : KeyAction::None;
    case '-':
      return slower(s.playback, now, s.frame_index) ? KeyAction::Redraw : KeyAction::None;
    case 's':
    case kKeyRight:
      return show_step(s, Step::Next);
    case kKeyLeft:
      return show_step(s, Step::Previous);
    case '0':
    case kKeyHome:
      return show_step(s, Step::First);
    case kKeyEnd:
      return show_step(s, Step::Last);
    case 'w':
      s.view_scale = s.view_scale * 0.9;
      return KeyAction::Redraw;
    case 'W':
      s.view_scale = s.view_scale / 0.9;
      return KeyAction::Redraw;
    case 'v':
      s.view_mode = s.view_mode == ViewMode::Classic ? ViewMode::Lesson : ViewMode::Classic;
      return KeyAction::Redraw;
    case 'f':
      // The lesson view's switching functions; other pictures keep the choice.
      s.sigma_panel = !s.sigma_panel;
      return KeyAction::Redraw;
    case 'r':
      s.view_mode = s.view_mode == ViewMode::Sweep ? ViewMode::Classic : ViewMode::Sweep;
      return KeyAction::Redraw;
    case 'x':
      if (s.view_mode == ViewMode::Sweep) {
        keep_sweep(s, ui);
      } else {
        keep_motion(s, ui);
      }
      return KeyAction::None;
    case 'p':
      return KeyAction::SavePicture;
    case kEscape:
      return KeyAction::Quit;
    default:
      return KeyAction::None;
  }
}

KeyAction apply_tick(Scenario& s, double now) {
  return tick(s.playback, now, s.dt, s.frame_count, s.frame_index) ? KeyAction::Redraw
                                                                     : KeyAction::None;
}

void keep_motion(const Scenario& s, Ui& ui) {
  const RobotRun& rec = model_run(s, s.robot);
  say_result(ui, write_motion_csv(ui.output_dir, s.robot_key, s.gravity_key,
                                  motion_view_of(rec, s.frame_count, s.dt)));
}

void keep_sweep(const Scenario& s, Ui& ui) {
  say_result(ui, write_sweep_csv(ui.output_dir, s.robot_key, s.gravity_key, s.sweep));
}

void keep_picture(const Scenario& s, Ui& ui, const std::vector<std::uint8_t>& rgb, int width,
                  int height) {
  say_result(ui, write_picture_png(ui.output_dir, s.robot_key, s.frame_index, rgb, width, height));
}
