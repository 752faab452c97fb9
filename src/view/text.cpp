#include "view/text.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>

#include "view/caption_text.h"

#include "view/glyphs.h"

void draw_text(double x, double y, void* font, const char* text) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  if (!std::isfinite(fx) || !std::isfinite(fy)) return;
  // The raster colour is fixed from the state at glRasterPos time: take it
  // from an explicit grey with lighting off, so text reads the same in the
  // first frame as in every later one.
  glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glColor4f(kTextGrey, kTextGrey, kTextGrey, 1.0f);
  glRasterPos2f(fx, fy);
  // The same pixels as glutBitmapCharacter sets, drawn as geometry when the
  // font's glyphs have been read back.
  if (!draw_glyphs(font, text)) {
    flush_glyphs();  // texts held back come before this one
    for (const char* p = text; *p != '\0'; ++p) {
      glutBitmapCharacter(font, static_cast<unsigned char>(*p));
    }
  }
  glPopAttrib();
}

void draw_title() {
  draw_text(-0.99, 0.95, GLUT_BITMAP_HELVETICA_18,
            "Time optimal control : Comparison with PID control");
}

void draw_captions(const Scenario& s) {
  const double x0 = -0.95;
  void* const font = GLUT_BITMAP_HELVETICA_18;
  if (s.robot == Robot::Cylindrical) draw_text(x0, 0.9, font, "(a) Cylindrical coordinate robot");
  if (s.robot == Robot::Scara) draw_text(x0, 0.9, font, "(b) SCARA robot");
  if (s.gravity == Gravity::On) draw_text(x0 + 0.05, 0.85, font, "Vertical motion");
  if (s.gravity == Gravity::Off) draw_text(x0 + 0.05, 0.85, font, "Horizontal motion");
  draw_text(x0 + 0.05, 0.8, font, "Reduction ratio (u1, u2)=");
  draw_text(x0 + 0.55, 0.8, font, ratio_text(s).c_str());
  draw_text(x0 + 0.05, 0.75, font, "blue : Time optimal control");
  draw_text(x0 + 0.05, 0.7, font, "red : PID control");
  draw_text(x0 + 0.05, 0.65, font, "1 grid=(0.1, 0.1)[m]");
}

void draw_readout(const Scenario& s) {
  const std::string line = playback_readout(s.frame_index * s.dt, s.frame_index, s.frame_count,
                                            s.playback.speed_log2, s.playback.playing,
                                            s.answer_pending);
  draw_text(-0.9, 0.6, GLUT_BITMAP_HELVETICA_18, line.c_str());
}
