// The smallest GLUT program with tocsim's window: 800 x 800, RGB, double
// buffered, with a depth buffer. It draws one white frame and exits once the
// frame has been presented. bench/startup_compare.sh times tocsim against it.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdlib>

namespace {

void display() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
  glFinish();
  std::exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  glutInitWindowSize(800, 800);
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("startup_minimal");
  glutDisplayFunc(display);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glutMainLoop();
  return 0;
}
