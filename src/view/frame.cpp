#include "view/frame.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "view/viewport.h"

void compose_frame(Renderer& renderer, const Scenario& s) { renderer.draw(describe_frame(s)); }

void display_frame(Renderer& renderer, const Scenario& s) {
  compose_frame(renderer, s);
  glFlush();
  glutSwapBuffers();
}

void reshape_view(int width, int height) {
  const SquareViewport vp = square_viewport(width, height);
  glViewport(vp.x, vp.y, vp.side, vp.side);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}
