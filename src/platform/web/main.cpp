// tocsim as a web page: the same dialogue, computations and frame description
// as the desktop program, driven by the page's script (index.html) instead
// of a terminal and a GLUT window. The script hands over keys and the clock
// and shows what the console prints; the picture is drawn here with WebGL.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#include <GLES2/gl2.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogue_run.h"
#include "app/key_table.h"
#include "app/options.h"
#include "app/session.h"
#include "app/startup.h"
#include "console/console.h"
#include "robot/robot_kind.h"
#include "view/describe_frame.h"
#include "webgl_renderer.h"

namespace {

// The folder the keys keep pictures and motions in; the script offers every
// new file there as a download.
constexpr const char* kOutputDir = "/out";

struct Page {
  Page(Lang lang, ViewMode view) : ui(con, lang), view(view) {}
  Console con{Console::Fed{}, Encoding::Utf8};
  std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
  Ui ui;
  ViewMode view;  // the picture the window part opens with
  std::optional<DialogueRun> startup;
  std::optional<Session> session;
  std::unique_ptr<WebGlRenderer> renderer;
  bool ended = false;
  int width = 800, height = 800;
  std::string output;  // handed to the script by tocsim_output
  std::string status;  // handed to the script by tocsim_status
};

Page* page = nullptr;

void draw() {
  if (!page->renderer) return;
  if (page->session)
    page->renderer->draw(
        describe_frame(*page->scenario, square_viewport(page->width, page->height).side),
        page->width, page->height);
  else
    page->renderer->clear(page->width, page->height);
}

// The start-up questions answered as far as the keys allow; once they are
// done, the window's part begins (the desktop opens its window then).
void advance_startup() {
  const Progress p = page->startup->advance(page->ui);
  if (p == Progress::Waiting) return;
  page->startup.reset();
  if (p != Progress::Done) {
    page->ended = true;
    return;
  }
  page->scenario->view_mode = page->view;
  page->session.emplace(*page->scenario, page->ui);
  draw();
}

void show(KeyAction action) {
  switch (action) {
    case KeyAction::Redraw:
      draw();
      return;
    case KeyAction::Quit:
      page->ended = true;
      return;
    case KeyAction::SavePicture: {
      if (!page->renderer) return;  // no WebGL: no picture to keep
      // The picture as shown, drawn again and read back: rows bottom to top
      // in RGBA, kept top to bottom in RGB.
      draw();
      const int w = page->width, h = page->height;
      std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
      std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          for (int k = 0; k < 3; ++k)
            rgb[(static_cast<std::size_t>(h - 1 - y) * w + x) * 3 + k] =
                rgba[(static_cast<std::size_t>(y) * w + x) * 4 + k];
      keep_picture(*page->scenario, page->ui, rgb, w, h);
      return;
    }
    case KeyAction::None:
      return;
  }
}

// The parts of a JSON object the status is made of.
void json_number(std::string& out, const char* name, double v) {
  // As a string, so that nan and inf come through as the console prints
  // them; the script reads back the shortest form of the same double.
  char buf[64];
  std::snprintf(buf, sizeof buf, "\"%s\":\"%.17g\",", name, v);
  out += buf;
}
void json_int(std::string& out, const char* name, long v) {
  out += '"';
  out += name;
  out += "\":";
  out += std::to_string(v);
  out += ',';
}
// A key as typed, or "" for one that is no letter or digit.
void json_key(std::string& out, const char* name, char key) {
  out += '"';
  out += name;
  out += "\":\"";
  if (std::isalnum(static_cast<unsigned char>(key))) out += key;
  out += "\",";
}

int waiting_state() {
  if (page == nullptr || page->ended) return 3;
  if (!page->startup && !(page->session && page->session->in_dialogue())) return 0;
  switch (page->ui.question.kind) {
    case Question::Kind::Key:
      return 1;
    case Question::Kind::Numbers:
      return 2;
    case Question::Kind::None:
    case Question::Kind::Solve:  // solved where asked in the page: never waited for
      break;
  }
  return 0;
}

}  // namespace

extern "C" {

// Starts the program: English when `english`, Japanese otherwise; the
// picture first shown is `view`, 1 the lesson view, 2 the gear-ratio sweep
// (as --view lesson, sweep), the classic picture otherwise. The canvas #view
// must exist.
EMSCRIPTEN_KEEPALIVE void tocsim_start(int english, int view) {
  const ViewMode first = view == 1   ? ViewMode::Lesson
                         : view == 2 ? ViewMode::Sweep
                                     : app::Options{}.view;
  page = new Page(english ? Lang::En : Lang::Ja, first);
  // The working folder, as the desktop program's: the console names the
  // files it keeps as the desktop's does (./tocsim-a-0060.png).
  mkdir(kOutputDir, 0777);
  chdir(kOutputDir);

  EmscriptenWebGLContextAttributes attrs;
  emscripten_webgl_init_context_attributes(&attrs);
  attrs.alpha = false;
  attrs.depth = false;
  attrs.stencil = false;
  attrs.antialias = false;
  attrs.preserveDrawingBuffer = true;  // the picture stays readable between frames
  attrs.majorVersion = 1;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context("#view", &attrs);
  if (context > 0 && emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS)
    page->renderer = std::make_unique<WebGlRenderer>();
  else
    std::fprintf(stderr, "tocsim: no WebGL context for the canvas #view\n");
  draw();
  page->startup.emplace(run_startup(*page->scenario, page->ui));
  advance_startup();
}

// The canvas's size in pixels changed: the picture is drawn again.
EMSCRIPTEN_KEEPALIVE void tocsim_resize(int width, int height) {
  if (page == nullptr) return;
  page->width = width;
  page->height = height;
  draw();
}

// Keys typed in the console pane (UTF-8 bytes, a number line whole with its
// line feed), answering the question that waits.
EMSCRIPTEN_KEEPALIVE void tocsim_console(const char* bytes, double now) {
  if (page == nullptr || page->ended) return;
  page->con.feed(bytes);
  if (page->startup)
    advance_startup();
  else if (page->session && page->session->in_dialogue())
    show(page->session->tick(now));
}

// A key in the window (the canvas): a byte or one of kKeyLeft .. kKeyEnd.
EMSCRIPTEN_KEEPALIVE void tocsim_key(int key, double now) {
  if (page == nullptr || page->ended || !page->session) return;
  show(page->session->key(key, now));
}

// The mouse on the canvas: phase 0 press, 1 drag, 2 release; button 0 left,
// 1 middle, 2 right (as the browser numbers them); x, y in canvas pixels
// from the top left. Dragging the start or the goal, clicking in the lesson
// view's graphs and the right button's undo work as in the desktop's window.
EMSCRIPTEN_KEEPALIVE void tocsim_mouse(int phase, int button, int x, int y) {
  if (page == nullptr || page->ended || !page->session) return;
  const MousePhase phases[] = {MousePhase::Press, MousePhase::Drag, MousePhase::Release};
  const MouseButton buttons[] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};
  if (phase < 0 || phase > 2) return;
  const MouseButton b = button >= 0 && button <= 2 ? buttons[button] : MouseButton::Other;
  show(page->session->mouse(MouseEvent{phases[phase], b, x, y, page->width, page->height}));
}

// About every 10 ms: the next sample while the motion plays.
EMSCRIPTEN_KEEPALIVE void tocsim_tick(double now) {
  if (page == nullptr || page->ended || !page->session) return;
  const Scenario& s = *page->scenario;
  if (s.playback.playing || s.answer_pending || s.sweeping) show(page->session->tick(now));
}

// What the console printed since the last call (UTF-8).
EMSCRIPTEN_KEEPALIVE const char* tocsim_output() {
  if (page == nullptr) return "";
  page->output = page->con.output();
  page->con.clear_output();
  return page->output.c_str();
}

// What the program waits for: 0 nothing (the window's keys), 1 a key on the
// console, 2 a line of numbers on the console, 3 nothing any more (it ended).
EMSCRIPTEN_KEEPALIVE int tocsim_state() { return waiting_state(); }

// What the page's buttons and links need to know, as one JSON object:
//   state      as tocsim_state
//   accepts    a key question's keys ("yn", "ab", ...; "" any key goes on)
//   values     a number question's current values (as strings, %.17g)
//   reads      answers read so far: a new number, a new question
//   window     1 once the window's part has begun
//   robot, gravity, elbow   the keys chosen ("" for none; elbow "1"/"2" for
//              a robot with an elbow branch, has_elbow 1)
//   ratios, points          the selected robot's u1 u2, and x0 y0 xf yf
//   view       "classic" or "lesson"
//   frame, frames, dt       the sample shown, the last sample, the time step
//   playing, speed          playback, speed as a power of two
//   undo, computing         whether z can take a change back; a solve runs
EMSCRIPTEN_KEEPALIVE const char* tocsim_status() {
  static std::string before_start;
  std::string& out = page ? page->status : before_start;
  out = "{";
  const int state = waiting_state();
  json_int(out, "state", state);
  if (page == nullptr) {
    out.back() = '}';
    return out.c_str();
  }
  const Question& q = page->ui.question;
  out += "\"accepts\":\"";
  if (state == 1 && q.accepts != nullptr)
    for (const char* c = q.accepts; *c; ++c)
      if (std::isalnum(static_cast<unsigned char>(*c))) out += *c;
  out += "\",\"values\":[";
  if (state == 2 && q.values != nullptr) {
    for (int i = 0; i < q.count; ++i) {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%s\"%.17g\"", i ? "," : "", q.values[i]);
      out += buf;
    }
  }
  out += "],";
  const Scenario& s = *page->scenario;
  json_int(out, "reads", page->ui.con.reads());
  json_int(out, "window", page->session ? 1 : 0);
  json_key(out, "robot", s.robot_key);
  json_key(out, "gravity", s.gravity_key);
  const RobotKind* kind = robot_kind(s.robot);
  const bool has_elbow = kind != nullptr && kind->has_elbow;
  json_int(out, "has_elbow", has_elbow ? 1 : 0);
  json_key(out, "elbow", !has_elbow ? 0 : s.elbow == Elbow::Up ? '2' : s.elbow == Elbow::Down ? '1' : 0);
  if (const RobotConditions* r = selected_conditions(s)) {
    json_number(out, "u1", r->u1);
    json_number(out, "u2", r->u2);
  }
  json_number(out, "x0", s.x0);
  json_number(out, "y0", s.y0);
  json_number(out, "xf", s.xf);
  json_number(out, "yf", s.yf);
  out += s.view_mode == ViewMode::Lesson  ? "\"view\":\"lesson\","
         : s.view_mode == ViewMode::Sweep ? "\"view\":\"sweep\","
                                          : "\"view\":\"classic\",";
  json_int(out, "sweeping", s.sweeping ? 1 : 0);
  json_int(out, "sweep_done", s.sweep.done_count);
  json_int(out, "sigma", s.sigma_panel ? 1 : 0);
  json_int(out, "frame", s.frame_index);
  json_int(out, "frames", s.frame_count);
  json_number(out, "dt", s.dt);
  json_int(out, "playing", s.playback.playing ? 1 : 0);
  json_int(out, "speed", s.playback.speed_log2);
  json_int(out, "undo", page->session && page->session->can_undo() ? 1 : 0);
  json_int(out, "computing", s.computing ? 1 : 0);
  out.back() = '}';
  return out.c_str();
}

// Shows the sample nearest to `seconds` (paused), as a click in the lesson
// view's graphs would; nothing while a question waits. The sample shown.
EMSCRIPTEN_KEEPALIVE int tocsim_show_time(double seconds) {
  if (page == nullptr || page->ended || !page->session || page->session->in_dialogue())
    return -1;
  Scenario& s = *page->scenario;
  if (!usable_dt(s.dt) || !std::isfinite(seconds)) return s.frame_index;
  const long sample = std::lround(seconds / s.dt);
  pause(s.playback);
  s.frame_index = static_cast<int>(std::clamp(sample, 0L, static_cast<long>(s.frame_count)));
  draw();
  return s.frame_index;
}

}  // extern "C"

// The page's script starts the program (tocsim_start) once the module is ready.
int main() { return 0; }
