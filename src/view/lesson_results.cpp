#include "view/lesson_results.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/playback.h"
#include "view/lesson_layout.h"
#include "view/lesson_switches.h"
#include "view/plot_axes.h"
#include "view/text_metrics.h"

namespace {

using namespace lesson;

constexpr double kPad = 0.022;       // between the panel's edge and its text
constexpr double kIndent = 0.03;     // of a wrapped line's continuation
constexpr double kSmallest = 0.022;  // the em the panel's text may shrink to
constexpr double kColourGap = 0.03;  // between pieces of two colours

std::string fixed(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

// The words of s as pieces: wrapped only between words; a double space stays.
PanelLine sentence(const Colour& c, const std::string& s) {
  PanelLine l;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(' ', from)) != std::string::npos; from = at + 1)
    l.push_back(PanelPiece{s.substr(from, at - from), c});
  l.push_back(PanelPiece{s.substr(from), c});
  return l;
}

// "joint 1 (+ s -): 1a 0.309, 1b 2.160 s", each time with its name unbroken.
PanelLine joint_line(const LessonInputs& in, int j) {
  PanelLine l{
      {"joint " + std::to_string(j + 1) + " (" + arc_signs(in.arcs[j]) + "):", colour_text}};
  const std::vector<SwitchPoint> sw = joint_switches(in, j);
  if (sw.empty()) l.push_back(PanelPiece{"no switch", colour_text});
  for (std::size_t k = 0; k < sw.size(); ++k)
    l.push_back(
        PanelPiece{switch_name(sw[k]) + fixed(" %.3f", sw[k].t) + (k + 1 < sw.size() ? "," : " s"),
                   colour_text});
  return l;
}

const char* found_by(const SolveOutcome& o) {
  if (o.method == FoundBy::Direct) return "found by the direct method";
  if (o.method == FoundBy::Search || o.by_search) return "found by the multi-start search";
  return "found by two Newton passes";
}

// A wrapped row: its runs of one colour, each from x (drawing units from
// the row's start).
struct Run {
  double x;
  std::string text;
  Colour colour;
};
struct Row {
  double indent;
  std::vector<Run> runs;
};

// Room for the rounding of a text's pixel size: half a pixel more in the
// smallest window the layout is made for (a 600-pixel square).
double rounding(double size) { return 1.0 + 0.5 / (size * 300.0); }

double row_width(const std::vector<Run>& runs, double size) {
  return runs.empty() ? 0.0 : runs.back().x + text_width(runs.back().text, size) * rounding(size);
}

// The lines wrapped to `width` at em `size`: a piece goes on the row while
// the row stays within the width, else starts a new, indented one.
std::vector<Row> wrap(const std::vector<PanelLine>& lines, double size, double width) {
  std::vector<Row> rows;
  for (const PanelLine& line : lines) {
    rows.push_back(Row{0.0, {}});
    for (const PanelPiece& p : line) {
      Row& row = rows.back();
      std::vector<Run> tried = row.runs;
      if (tried.empty()) {
        if (p.text.empty()) continue;  // no row starts with a space
        tried.push_back(Run{0.0, p.text, p.colour});
      } else if (same_colour(tried.back().colour, p.colour)) {
        tried.back().text += " " + p.text;
      } else {
        tried.push_back(Run{row_width(tried, size) + kColourGap, p.text, p.colour});
      }
      if (row.runs.empty() || row.indent + row_width(tried, size) <= width) {
        row.runs = std::move(tried);
      } else if (!p.text.empty()) {
        rows.push_back(Row{kIndent, {Run{0.0, p.text, p.colour}}});
      }
    }
  }
  return rows;
}

double ascent(double size) { return size * kFontAscent / kFontUnitsPerEm; }
double descent(double size) { return size * kFontDescent / kFontUnitsPerEm; }
double step_of(double size) { return size * kLineStep / kBodySize; }

// Base lines at the panel's foot: the readout, then a note under it.
double foot_line(int k) {
  return kResultsPanel.y0 + kPad + descent(kBodySize) + (1 - k) * kLineStep;
}

// How many rows of em `size` fit above the readout and the note.
int rows_that_fit(double size) {
  const double top = kResultsPanel.y1 - kPad - ascent(size);
  const double floor = foot_line(0) + ascent(kBodySize) * rounding(kBodySize) + 0.01;
  const double room = top - descent(size) * rounding(size) - floor;
  return room < 0.0 ? 0 : 1 + static_cast<int>(std::floor(room / step_of(size) + 1e-9));
}

}  // namespace

std::vector<PanelLine> result_lines(const LessonInputs& in) {
  std::vector<PanelLine> lines;
  if (in.robot == Robot::Other) {
    lines.push_back(sentence(colour_text, "no robot selected"));
    return lines;
  }
  if (!in.outcome.found) {
    lines.push_back(sentence(colour_dark_red, "no solution for these conditions"));
    lines.push_back(sentence(colour_text, "change them in the console"));
    return lines;
  }
  lines.push_back(sentence(colour_text, "switching times:"));
  for (int j = 0; j < 2; ++j)
    if (in.arcs[j].count > 0) lines.push_back(joint_line(in, j));
  // "joint 1: inside its limits 0.412-0.833 s (singular arc)", the times
  // and the name each kept whole.
  for (const InteriorArc& a : interior_arcs(in)) {
    PanelLine l =
        sentence(colour_text, "joint " + std::to_string(a.joint + 1) + ": inside its limits");
    l.push_back(PanelPiece{fixed("%.3f", a.t0) + fixed("-%.3f s", a.t1), colour_text});
    l.push_back(PanelPiece{"(singular arc)", colour_text});
    lines.push_back(l);
  }
  PanelLine times{{fixed("tf = %.3f s  time-optimal", in.tf), colour_blue},
                  {fixed("tfm = %.3f s  PID", in.tfm), colour_red}};
  lines.push_back(times);
  if (std::isfinite(in.ghost_tf))
    lines.push_back(
        sentence(colour_text, fixed("before the last change: tf = %.3f s", in.ghost_tf)));
  lines.push_back(sentence(colour_text, found_by(in.outcome)));
  if (in.outcome.passes_tf > 0.0)
    lines.push_back(
        sentence(colour_text, fixed("the Newton passes gave tf = %.4f s", in.outcome.passes_tf)));
  if (in.rule_broken)
    lines.push_back(sentence(colour_dark_red, "not optimal: \u03c3" +
                                                  std::to_string(in.rule_joint + 1) +
                                                  fixed(" changes sign at %.2f s", in.rule_at) +
                                                  " without a switch"));
  if (in.outcome.misses_goal)
    lines.push_back(sentence(colour_dark_red, "PID saturated: not at its goal by tfm"));
  return lines;
}

void describe_results(FrameDescription& f, const LessonInputs& in) {
  const DrawingRect& panel = kResultsPanel;
  // On white: the panel covers whatever reaches into it.
  const Box white{{panel.x0, panel.y0}, panel.x1 - panel.x0, panel.y1 - panel.y0, 0.0, true,
                  false, colour_white, colour_white, 1.0f};
  f.box(white);
  describe_outline(f, panel, colour_frame_line);
  const double x = panel.x0 + 0.025, width = panel.x1 - 0.025 - x;

  // The largest em, in steps, whose rows fit; at the smallest the last row
  // that fits says that there is more.
  const std::vector<PanelLine> lines = result_lines(in);
  double size = kBodySize;
  std::vector<Row> rows = wrap(lines, size, width);
  while (static_cast<int>(rows.size()) > rows_that_fit(size) && size > kSmallest + 1e-9) {
    size = std::fmax(size - 0.002, kSmallest);
    rows = wrap(lines, size, width);
  }
  const int fit = rows_that_fit(size);
  if (static_cast<int>(rows.size()) > fit && fit > 0) {
    rows.resize(fit);
    rows.back() = Row{0.0, {Run{0.0, "(the console lists the rest)", colour_text}}};
  }
  double y = panel.y1 - kPad - ascent(size);
  for (const Row& row : rows) {
    for (const Run& run : row.runs)
      f.scaled_text(
          ScaledText{x + row.indent + run.x, y, size, TextAlign::Left, run.colour, run.text});
    y -= step_of(size);
  }

  // The readout at the panel's foot, on the panel's white.
  const char* note = in.answer_pending ? "answer in the console"
                     : in.computing    ? "computing..."
                                       : in.window_note;
  const std::string readout =
      playback_readout(in.shown * in.dt, in.shown, in.frame_count, in.speed_log2, in.playing);
  f.scaled_text(ScaledText{x, foot_line(note != nullptr ? 0 : 1), kBodySize, TextAlign::Left,
                           colour_text, readout});
  if (note != nullptr)
    f.scaled_text(ScaledText{x, foot_line(1), kBodySize, TextAlign::Left, colour_dark_red, note});
}
