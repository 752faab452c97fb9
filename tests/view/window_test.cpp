// The window itself: size, buffers, title for the window manager, clear
// colour, and what the keyboard callback does with a key.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#undef None  // Xlib's macro; KeyAction has a member of that name

#include <cstring>
#include <string>

#include "console/console.h"
#include "view/frame.h"
#include "view/window.h"
#include "view_harness.h"

namespace {

using namespace viewtest;

const char kKeyHelp[] =
    "a,b:ロボット選択, u:減速, g,h:重力, k:始終点 変更，W,w:画面拡大縮小，0:初期へ，s:継続";

class ViewWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window(); }
};

TEST_F(ViewWindow, IsAnEightHundredPixelSquareWithDoubleBufferAndDepth) {
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 800);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
  EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
  EXPECT_GE(glutGet(GLUT_WINDOW_RED_SIZE), 8);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  for (float c : clear) EXPECT_EQ(c, 1.0f);
}

std::string window_property(const char* name, Atom* type) {
  Display* dpy = glXGetCurrentDisplay();
  const ::Window win = glXGetCurrentDrawable();
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string value;
  if (XGetWindowProperty(dpy, win, XInternAtom(dpy, name, False), 0, 4096, False,
                         AnyPropertyType, &actual, &format, &count, &after, &data) == Success &&
      data != nullptr) {
    value.assign(reinterpret_cast<const char*>(data), count);
    XFree(data);
  }
  *type = actual;
  return value;
}

TEST_F(ViewWindow, TitleIsTheKeyHelpInUtf8) {
  Atom type = 0;
  const std::string name = window_property("_NET_WM_NAME", &type);
  EXPECT_EQ(name, kKeyHelp);
  EXPECT_EQ(type, XInternAtom(glXGetCurrentDisplay(), "UTF8_STRING", False));
  // The full-width commas survive as their own characters.
  EXPECT_NE(name.find("変更，W"), std::string::npos);
}

TEST_F(ViewWindow, ReshapeKeepsThePictureSquareAndCentred) {
  reshape_view(400, 200);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[0], 100);
  EXPECT_EQ(vp[1], 0);
  EXPECT_EQ(vp[2], 200);
  EXPECT_EQ(vp[3], 200);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLdouble proj[16];
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(proj[i], i % 5 == 0 ? 1.0 : 0.0);

  // x = -0.5 lands at a quarter of the square, not of the window; beside the
  // square the window stays white.
  auto s = make_scenario('a', 'h');
  const Image im = render(*s);
  EXPECT_TRUE(is_black(im.at(149, 10)) || is_black(im.at(150, 10)));
  EXPECT_EQ(im.count(0, 0, 99, kSize - 1, [](const Rgb& c) { return !is_white(c); }), 0);
  EXPECT_EQ(im.count(300, 0, kSize - 1, kSize - 1, [](const Rgb& c) { return !is_white(c); }), 0);
  EXPECT_EQ(im.count(100, 200, 299, kSize - 1, [](const Rgb& c) { return !is_white(c); }), 0);
  reshape_view(kSize, kSize);
}

[[noreturn]] void throw_status(int status) { throw status; }

TEST_F(ViewWindow, KeyboardCallbackAppliesViewKeysAndQuitsOnEscape) {
  auto s = make_scenario('a', 'h');
  Console con("", Encoding::Utf8);
  con.set_exit_handler(throw_status);
  ViewContext ctx{s.get(), &con};
  s->frame_index = 5;
  handle_key(ctx, 's');
  EXPECT_EQ(s->frame_index, 6);
  handle_key(ctx, 'w');
  EXPECT_DOUBLE_EQ(s->view_scale, 0.9);
  handle_key(ctx, 'x');
  EXPECT_EQ(s->last_key, 'x');
  EXPECT_EQ(s->frame_index, 6);

  int status = -1;
  try {
    handle_key(ctx, 27);
  } catch (int st) {
    status = st;
  }
  EXPECT_EQ(status, 0);
  EXPECT_EQ(s->last_key, 27);
}

}  // namespace
