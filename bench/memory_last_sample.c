/* Preloaded (LD_PRELOAD) into a GLUT program by bench/memory_compare.sh. When
   the program presents its first frame, the hook presses 's' through the
   program's own keyboard callback MEMORY_STEPS times (default 200: from sample
   0 to the last sample of the default task; each press redraws and presents a
   frame), waits until the GL work and the X server are done, writes the peak
   resident set size (VmHWM of /proc/self/status, in kB) to the file named by
   MEMORY_PEAK_OUT and ends the process with status 0. A program without a
   keyboard callback (the bare GLUT program) only shows its first frame. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

typedef void (*KeyUcall)(unsigned char, int, int, void*);
typedef void (*KeyPlain)(unsigned char, int, int);

static KeyUcall key_ucall = NULL;
static void* key_data = NULL;
static KeyPlain key_plain = NULL;
static int in_steps = 0;

void glutKeyboardFuncUcall(KeyUcall cb, void* data) {
  void (*real)(KeyUcall, void*) = (void (*)(KeyUcall, void*))dlsym(RTLD_NEXT, "glutKeyboardFuncUcall");
  if (real == NULL) _exit(3);
  key_ucall = cb;
  key_data = data;
  real(cb, data);
}

void glutKeyboardFunc(KeyPlain cb) {
  void (*real)(KeyPlain) = (void (*)(KeyPlain))dlsym(RTLD_NEXT, "glutKeyboardFunc");
  if (real == NULL) _exit(3);
  key_plain = cb;
  real(cb);
}

static long peak_kb(void) {
  FILE* f = fopen("/proc/self/status", "r");
  char line[256];
  long kb = -1;
  if (f == NULL) return -1;
  while (fgets(line, sizeof line, f) != NULL) {
    if (strncmp(line, "VmHWM:", 6) == 0) kb = strtol(line + 6, NULL, 10);
  }
  fclose(f);
  return kb;
}

void glutSwapBuffers(void) {
  void (*real)(void) = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
  if (real == NULL) _exit(3);
  real();
  if (in_steps) return; /* a frame drawn by one of the key presses */
  in_steps = 1;
  const char* steps_text = getenv("MEMORY_STEPS");
  const int steps = steps_text != NULL ? atoi(steps_text) : 200;
  for (int i = 0; i < steps; ++i) {
    if (key_ucall != NULL) key_ucall('s', 0, 0, key_data);
    else if (key_plain != NULL) key_plain('s', 0, 0);
  }
  glFinish();
  Display* dpy = glXGetCurrentDisplay();
  if (dpy != NULL) XSync(dpy, False);
  const char* out = getenv("MEMORY_PEAK_OUT");
  FILE* f = (out != NULL && out[0] != '\0') ? fopen(out, "w") : NULL;
  if (f == NULL) _exit(4);
  fprintf(f, "%ld\n", peak_kb());
  fclose(f);
  _exit(0);
}
