#include "app/key_table.h"

namespace {
constexpr unsigned char kEscape = 27;
}

bool is_view_key(unsigned char key) {
  return key == 's' || key == '0' || key == 'w' || key == 'W';
}

KeyAction apply_key_with(Scenario& s, Ui& out, unsigned char key, ConditionDialogue dialogue) {
  switch (key) {
    case 'a':
    case 'b':
      select_robot(s, static_cast<char>(key));
      s.frame_index = 0;
      dialogue(s, out, DialogueEntry::Heading);
      return KeyAction::Redraw;
    case 'g':
    case 'h':
      select_gravity(s, static_cast<char>(key));
      s.frame_index = 0;
      dialogue(s, out, DialogueEntry::Recompute);
      return KeyAction::Redraw;
    case 'u':
      s.frame_index = 0;
      dialogue(s, out, DialogueEntry::Ratios);
      return KeyAction::Redraw;
    case 'k':
      s.frame_index = 0;
      dialogue(s, out, DialogueEntry::Points);
      return KeyAction::Redraw;
    case 's': {
      long long next = static_cast<long long>(s.frame_index) + 1;
      if (next > s.frame_count) next = s.frame_count;
      if (next < 0) next = 0;
      s.frame_index = static_cast<int>(next);
      return KeyAction::Redraw;
    }
    case '0':
      s.frame_index = 0;
      return KeyAction::Redraw;
    case 'w':
      s.view_scale = s.view_scale * 0.9;
      return KeyAction::Redraw;
    case 'W':
      s.view_scale = s.view_scale / 0.9;
      return KeyAction::Redraw;
    case kEscape:
      return KeyAction::Quit;
    default:
      return KeyAction::None;
  }
}

KeyAction apply_key(Scenario& s, Ui& out, unsigned char key) {
  return apply_key_with(s, out, key, run_condition_dialogue);
}
