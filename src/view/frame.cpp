#include "view/frame.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>

#include "view/viewport.h"

void compose_frame(Renderer& renderer, const Scenario& s) {
  // The picture's square is the viewport's (reshape_view), as the renderer takes it.
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  renderer.draw(describe_frame(s, std::max(0, std::min(vp[2], vp[3]))));
}

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
