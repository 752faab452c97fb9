// The window itself: size, buffers, title for the window manager, clear
// colour, and what the keyboard callback does with a key.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None  // Xlib's macro; KeyAction has a member of that name

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// WM_NAME as X clients read it (any encoding the property carries, converted
// to UTF-8), and the class the window manager groups the window by.
TEST_F(ViewWindow, WmNameReadsAsTheTitleAndTheClassIsTocsim) {
  Display* dpy = glXGetCurrentDisplay();
  const ::Window win = glXGetCurrentDrawable();
  XTextProperty prop{};
  ASSERT_NE(XGetWMName(dpy, win, &prop), 0);
  char** list = nullptr;
  int count = 0;
  ASSERT_EQ(Xutf8TextPropertyToTextList(dpy, &prop, &list, &count), Success);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(std::string(list[0]), kKeyHelp);
  XFreeStringList(list);
  XFree(prop.value);

  XClassHint hint{};
  ASSERT_NE(XGetClassHint(dpy, win, &hint), 0);
  EXPECT_STREQ(hint.res_name, "tocsim");
  EXPECT_STREQ(hint.res_class, "Tocsim");
  XFree(hint.res_name);
  XFree(hint.res_class);
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

struct KeyLog {
  std::string keys;
  std::vector<double> times;  // clock readings handed to the handlers
  int ticks = 0;
};

KeyAction logging_handler(int key, double now, void* user) {
  KeyLog& log = *static_cast<KeyLog*>(user);
  if (key < 256) {
    log.keys += static_cast<char>(key);
  } else {
    char code[16];
    std::snprintf(code, sizeof code, "<%d>", key);
    log.keys += code;
  }
  log.times.push_back(now);
  return key == 's' ? KeyAction::Redraw : KeyAction::None;
}

KeyAction counting_tick(double now, void* user) {
  KeyLog& log = *static_cast<KeyLog*>(user);
  log.times.push_back(now);
  ++log.ticks;
  return KeyAction::None;
}

TEST_F(ViewWindow, KeyboardCallbackHandsEveryKeyToTheHandlerWithItsData) {
  auto s = make_scenario('a', 'h');
  KeyLog log;
  ViewContext ctx{s.get(), logging_handler, counting_tick, &log, false, &renderer()};
  for (int key : std::vector<int>{'s', 'x', kKeyLeft, 27}) handle_key(ctx, key, 1.5);
  EXPECT_EQ(log.keys, "sx<256>\x1b");
  EXPECT_EQ(log.times, std::vector<double>(4, 1.5));
  EXPECT_FALSE(ctx.timer_armed);  // not playing: no timer
}

TEST_F(ViewWindow, ThePlaybackTimerRunsOnlyWhileTheMotionPlays) {
  auto s = make_scenario('a', 'h');
  KeyLog log;
  ViewContext ctx{s.get(), logging_handler, counting_tick, &log, false, &renderer()};
  s->playback.playing = true;
  handle_key(ctx, 'x', 0.0);
  EXPECT_TRUE(ctx.timer_armed);
  // The timer fires within a few tens of milliseconds; poll GLUT's events.
  const double start = window_clock();
  while (log.ticks == 0 && window_clock() - start < 5.0) glutMainLoopEvent();
  EXPECT_GE(log.ticks, 1);
  s->playback.playing = false;
  const int ticks = log.ticks;
  const double stop = window_clock();
  while (window_clock() - stop < 0.1) glutMainLoopEvent();
  EXPECT_LE(log.ticks, ticks + 1);  // at most the one already armed
  EXPECT_FALSE(ctx.timer_armed);
}
}  // namespace
