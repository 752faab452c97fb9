#include "view/text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "view/caption_text.h"
#include "view/robot_drawing.h"
#include "view/text_metrics.h"

namespace {

// Why the window waits, if it does.
std::string_view readout_note(const Scenario& s) {
  if (s.answer_pending) return "answer in the console";
  if (s.computing) return "computing...";
  return {};
}

// Where a text may be broken after `sep`: the line ends after the part of
// sep before its trailing spaces, the next one starts after sep.
struct Break {
  std::size_t end, next;
};

std::vector<Break> breaks_at(std::string_view text, std::string_view sep) {
  std::size_t kept = sep.size();
  while (kept > 0 && sep[kept - 1] == ' ') --kept;
  std::vector<Break> out;
  for (std::size_t at = text.find(sep); at != std::string_view::npos;
       at = text.find(sep, at + sep.size()))
    out.push_back(Break{at + kept, at + sep.size()});
  return out;
}

// `text` broken at the breaks after `sep` into lines of at most `room`
// pixels, each as long as it can be; `fits` says whether every line does
// (a piece wider than the room is a line of its own).
std::vector<std::string> broken_at(std::string_view text, std::string_view sep, TextFont font,
                                   int room, bool& fits) {
  const std::vector<Break> breaks = breaks_at(text, sep);
  std::vector<std::string> lines;
  fits = true;
  std::size_t start = 0;
  for (;;) {
    const std::string_view rest = text.substr(start);
    if (bitmap_width(font, rest) <= room) {
      lines.emplace_back(rest);
      return lines;
    }
    const Break* take = nullptr;
    for (const Break& b : breaks) {
      if (b.end <= start) continue;
      const bool fitting = bitmap_width(font, text.substr(start, b.end - start)) <= room;
      if (take == nullptr || fitting) take = &b;
      if (!fitting) break;
    }
    if (take == nullptr) {
      lines.emplace_back(rest);
      fits = false;
      return lines;
    }
    if (bitmap_width(font, text.substr(start, take->end - start)) > room) fits = false;
    lines.emplace_back(text.substr(start, take->end - start));
    start = take->next;
  }
}

// `text` as lines of at most `room` pixels where it can be: whole if it
// fits, else broken at the first of " : ", ": ", "  " and " " that makes
// every line fit (at spaces if none does).
std::vector<std::string> wrapped(std::string_view text, TextFont font, int room) {
  if (bitmap_width(font, text) <= room) return {std::string(text)};
  std::vector<std::string> lines;
  for (std::string_view sep : {" : ", ": ", "  ", " "}) {
    bool fits = false;
    lines = broken_at(text, sep, font, room, fits);
    if (fits) break;
  }
  return lines;
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

TextFont classic_font(int side) {
  return side > 0 && side < 667 ? TextFont::Helvetica12 : TextFont::Helvetica18;
}

void describe_fitted_texts(FrameDescription& f, const Scenario& s, int side, int right) {
  const TextFont font = classic_font(side);
  // At 800 the lines are 0.05 apart (20 pixels) and the title's base line
  // 0.05 below the top: as far where the font allows, else as far as its
  // height and two pixels.
  const int at_800 = static_cast<int>(std::floor(0.025 * side));
  const int step = std::max(bitmap_ascent(font) + bitmap_descent(font) + 2, at_800);
  int row = side - std::max(bitmap_ascent(font) + 2, at_800);  // the next line's base line
  const auto put = [&](int column, std::string_view text) {
    f.text(font, pixel_centre(column, side), pixel_centre(row, side), std::string(text));
  };
  const auto line = [&](double x, std::string_view text) {
    const int column = raster_pixel(x, side);
    for (const std::string& l : wrapped(text, font, right - column)) {
      put(column, l);
      row -= step;
    }
  };

  line(-0.99, "Time optimal control : Comparison with PID control");
  const double x0 = -0.95;
  if (const RobotDrawing* drawing = robot_drawing(s.robot)) line(x0, drawing->caption);
  if (s.gravity == Gravity::On) line(x0 + 0.05, "Vertical motion");
  if (s.gravity == Gravity::Off) line(x0 + 0.05, "Horizontal motion");

  // The ratios a space after their caption, or under it if they do not fit.
  const std::string caption = "Reduction ratio (u1, u2)=";
  const std::string ratios = ratio_text(s);
  const int column = raster_pixel(x0 + 0.05, side);
  put(column, caption);
  const int after = column + bitmap_width(font, caption) + bitmap_advance(font, ' ');
  if (after + bitmap_width(font, ratios) <= right) {
    put(after, ratios);
  } else {
    row -= step;
    put(column, ratios);
  }
  row -= step;

  line(x0 + 0.05, "blue : Time optimal control");
  line(x0 + 0.05, "red : PID control");
  line(x0 + 0.05, "1 grid=(0.1, 0.1)[m]");
  line(-0.9, playback_readout(s.frame_index * s.dt, s.frame_index, s.frame_count,
                              s.playback.speed_log2, s.playback.playing, readout_note(s)));
  if (s.window_note != nullptr && s.window_note[0] != '\0') line(-0.9, s.window_note);
}
