#include "view/text.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <initializer_list>

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

std::string ratio_digits(double v) {
  if (!(v >= 0.0 && v < 1000.0)) return "###";
  const double h = std::trunc(v / 100.0);
  const double t = std::trunc((v - 100.0 * h) / 10.0);
  const double o = std::trunc(v - 100.0 * h - 10.0 * t);
  std::string out;
  for (double d : {h, t, o}) {
    if (!(d >= 0.0 && d <= 9.0)) return "###";
    out += digit_chars[static_cast<int>(d)];
  }
  return out;
}

std::string ratio_text(const Scenario& s) {
  std::string u1 = "###";
  std::string u2 = "###";
  if (s.robot_type == 'a') {
    u1 = ratio_digits(s.cyl.u1);
    u2 = ratio_digits(s.cyl.u2);
  } else if (s.robot_type == 'b') {
    u1 = ratio_digits(s.scara.u1);
    u2 = ratio_digits(s.scara.u2);
  }
  return "(" + u1 + "," + u2 + ")\n";
}

void draw_captions(const Scenario& s) {
  const double x0 = -0.95;
  void* const font = GLUT_BITMAP_HELVETICA_18;
  if (s.robot_type == 'a') draw_text(x0, 0.9, font, "(a) Cylindrical coordinate robot");
  if (s.robot_type == 'b') draw_text(x0, 0.9, font, "(b) SCARA robot");
  if (s.gravity_mode == 'g') draw_text(x0 + 0.05, 0.85, font, "Vertical motion");
  if (s.gravity_mode == 'h') draw_text(x0 + 0.05, 0.85, font, "Horizontal motion");
  draw_text(x0 + 0.05, 0.8, font, "Reduction ratio (u1, u2)=");
  draw_text(x0 + 0.55, 0.8, font, ratio_text(s).c_str());
  draw_text(x0 + 0.05, 0.75, font, "blue : Time optimal control");
  draw_text(x0 + 0.05, 0.7, font, "red : PID control");
  draw_text(x0 + 0.05, 0.65, font, "1 grid=(0.1, 0.1)[m]");
}
