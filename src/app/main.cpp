// tocsim: time-optimal control of a two-joint arm compared with PID control.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

#include "app/options.h"
#include "app/session.h"
#include "app/startup.h"
#include "app/sweep_option.h"
#include "console/console.h"
#include "toc/worker_pool.h"
#include "view/display.h"
#include "view/frame.h"
#include "view/picture.h"
#include "view/window.h"

namespace {

struct App {
  Scenario& scenario;
  Ui& ui;
  Session& session;
  Renderer& renderer;
};

KeyAction on_window_key(int key, double now, void* user) {
  App& app = *static_cast<App*>(user);
  const KeyAction action = app.session.key(key, now);
  if (action == KeyAction::SavePicture) {
    // The picture as shown, drawn again into the back buffer and read from there.
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    compose_frame(app.renderer, app.scenario);
    keep_picture(app.scenario, app.ui, read_picture(width, height), width, height);
    return KeyAction::None;
  }
  return action;
}

KeyAction on_window_tick(double now, void* user) {
  return static_cast<App*>(user)->session.tick(now);
}

KeyAction on_window_mouse(const MouseEvent& event, void* user) {
  return static_cast<App*>(user)->session.mouse(event);
}

// Text for the terminal outside the dialogue (help, version, errors).
void put(const std::string& utf8, Encoding enc, std::FILE* to) {
  const std::string bytes = encode_text(utf8, enc);
  std::fwrite(bytes.data(), 1, bytes.size(), to);
  std::fflush(to);
}

// A --csv, --json or --sweep file that could not be written fails a run that
// would end well.
int run_status(int status, const Ui& ui, bool sweep_failed) {
  const bool file_failed = ui.csv_failed || ui.json.failed || sweep_failed;
  return status == app::kExitOk && file_failed ? app::kExitFailure : status;
}

}  // namespace

int main(int argc, char** argv) {
  const app::ParseResult parsed = app::parse_options(argc, argv);
  const app::Options& options = parsed.options;
  const Encoding enc = app::console_encoding(options);
  if (parsed.action != app::ParseAction::Run) {
    put(parsed.text, enc, parsed.action == app::ParseAction::Fail ? stderr : stdout);
    return parsed.exit_status;
  }
  // Held to the end of the process (see DisplayConnection).
  const DisplayConnection display =
      options.no_window ? DisplayConnection() : DisplayConnection::open();
  if (!options.no_window && !display.connected()) {
    put(text(Text::NoDisplay, options.lang), enc, stderr);
    return app::kExitFailure;
  }

  const std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
  Console& con = Console::standard(enc);
  Ui ui{con, options.lang};
  ui.solver = options.solver;
  ui.csv_path = options.csv_path;
  ui.json.path = options.json_path;
  // The solver's threads, started once: one per core, at most four (the
  // passes and a Jacobian's columns give no more than that to do at once).
  WorkerPool pool(static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)));
  ui.pool = &pool;

  // A task on the command line answers its questions as typed input would,
  // before the user's own input.
  con.answer_first(app::task_answers(options.task));

  // The start-up questions come before the window opens.
  const Progress startup = DialogueRun(run_startup(*scenario, ui)).finish(ui);
  const bool sweep_failed = startup == Progress::Done && !options.sweep_path.empty() &&
                            !write_sweep_option(*scenario, ui, options.sweep_path);
  if (startup != Progress::Done || options.no_window) {
    con.finish();
    return run_status(exit_status(startup), ui, sweep_failed);
  }

  // GLUT sees only the program name: every option is ours.
  int glut_argc = 1;
  char* glut_argv[] = {argv[0], nullptr};
  scenario->view_mode = options.view;
  Session session(*scenario, ui, run_condition_dialogue, SolveIn::Background);
  Renderer renderer;
  App app{*scenario, ui, session, renderer};
  run_view(*scenario, renderer, text(Text::WindowTitle, ui.lang), on_window_key, on_window_tick,
           on_window_mouse, &app, &glut_argc, glut_argv);
  con.finish();
  return run_status(session.exit_status(), ui, sweep_failed);
}
