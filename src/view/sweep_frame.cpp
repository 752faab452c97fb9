#include "view/sweep_frame.h"

#include <algorithm>

#include "view/plot_axes.h"
#include "view/sweep_graphs.h"
#include "view/sweep_layout.h"
#include "view/text_metrics.h"

namespace {

using namespace sweep;

constexpr int kPoints = 2 * kSweepRatios;
constexpr double kPad = 0.025;  // between the panel's edge and its text

double ascent(double size) { return size * kFontAscent / kFontUnitsPerEm; }

// The em at which `text` keeps within `width`, at most `size`; with room for
// the rounding of the pixel size in a small square.
double fitted(const std::string& text, double size, double width) {
  const double w = text_width(text, size) * 1.08;
  return w > width ? size * width / w : size;
}

void describe_title(FrameDescription& f) {
  const std::string title = "Gear-ratio sweep: positioning time over reduction ratio";
  f.scaled_text(ScaledText{kLeftX, kTitleY, fitted(title, kTitleSize, kRightX - kLeftX),
                           TextAlign::Left, colour_text, title});
}

// Blue time-optimal, red PID; how far the sweep has got at the right.
void describe_legend(FrameDescription& f, const RatioSweep& s) {
  Lines& l = f.new_lines(2.0f);
  double x = kLeftX;
  const auto entry = [&](const Colour& c, const char* name) {
    l.segments.push_back(Segment{{x, kLegendY + 0.014}, {x + 0.08, kLegendY + 0.014}, c});
    x += 0.095;
    f.scaled_text(ScaledText{x, kLegendY, kBodySize, TextAlign::Left, c, name});
    x += text_width(name, kBodySize) * 1.08 + 0.06;
  };
  entry(colour_blue, "time optimal tf");
  entry(colour_red, "PID tfm");
  if (s.done_count < kPoints)
    f.scaled_text(ScaledText{kRightX, kLegendY, kBodySize, TextAlign::Right, colour_text,
                             "computing: " + std::to_string(std::max(s.done_count, 0)) + " of " +
                                 std::to_string(kPoints)});
}

bool axis_complete(const RatioSweep& s, int axis) {
  for (const SweepPoint& p : s.axis[axis])
    if (!p.done) return false;
  return true;
}

void describe_results(FrameDescription& f, const RatioSweep& s) {
  describe_outline(f, kResultsPanel, colour_frame_line);
  const std::vector<std::string> lines = sweep_result_lines(s);
  const double width = kResultsPanel.x1 - kResultsPanel.x0 - 2 * kPad;
  double size = kBodySize;
  for (const std::string& line : lines) size = std::min(size, fitted(line, kBodySize, width));
  double y = kResultsPanel.y1 - kPad - ascent(size);
  for (const std::string& line : lines) {
    f.scaled_text(ScaledText{kResultsPanel.x0 + kPad, y, size, TextAlign::Left, colour_text, line});
    y -= kLineStep * size / kBodySize;
  }
}

}  // namespace

std::vector<std::string> sweep_result_lines(const RatioSweep& s) {
  std::vector<std::string> lines;
  for (int axis = 0; axis < 2; ++axis) {
    const std::string u = axis == 0 ? "u1" : "u2";
    const int best = fastest_sweep_point(s, axis);
    std::string line;
    if (best >= 0)
      line = "fastest " + u + " = " + ratio_text(s.axis[axis][best].u) +
             " (tf = " + time_text(s.axis[axis][best].tf) + " s)";
    else
      line = "fastest " + u + ": " +
             (axis_complete(s, axis) ? "no motion at any ratio" : "none found yet");
    lines.push_back(line + "; matched " + u + "* = " + ratio_text(s.matched_u[axis]) +
                    " at the start point");
  }
  if (s.gravity) lines.push_back("with gravity the holding torque is added to the torque limits");
  int none = 0;
  for (const auto& points : s.axis)
    for (const SweepPoint& p : points) none += p.done && !p.found;
  if (none > 0)
    lines.push_back("no motion at " + std::to_string(none) +
                    (none == 1 ? " ratio (left out)" : " ratios (left out)"));
  return lines;
}

FrameDescription describe_sweep_frame(const Scenario& s) {
  FrameDescription f;
  f.open();
  describe_title(f);
  const RatioSweep& sw = s.sweep;
  if (!sw.robot_selected) {
    f.scaled_text(ScaledText{kLeftX, kLegendY, kBodySize, TextAlign::Left, colour_text,
                             "choose a robot first"});
    f.close();
    return f;
  }
  describe_legend(f, sw);
  const SweepTimeAxis t = sweep_time_axis(sw);
  describe_sweep_graph(f, sw, 0, t);
  f.add(ItemKind::HandOver);
  describe_sweep_graph(f, sw, 1, t);
  describe_results(f, sw);
  f.close();
  return f;
}
