/* Preloaded (LD_PRELOAD) into a GLUT program by bench/startup_compare.sh: the
   program's first buffer swap is carried out, the GL work is finished, the X
   server has processed everything (so the frame is on the screen), and the
   process ends at once with status 0. A run then lasts exactly until the first
   frame is shown, whatever the program would do after it. If the variable
   STARTUP_FIRST_FRAME_MARK names a file, it is created just before the end. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

void glutSwapBuffers(void) {
  void (*real)(void) = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
  if (real == NULL) _exit(3);
  real();
  glFinish();
  Display* dpy = glXGetCurrentDisplay();
  if (dpy != NULL) XSync(dpy, False);
  const char* mark = getenv("STARTUP_FIRST_FRAME_MARK");
  if (mark != NULL && mark[0] != '\0') {
    int fd = open(mark, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) close(fd);
  }
  _exit(0);
}
