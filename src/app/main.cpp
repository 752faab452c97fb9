// tocsim: time-optimal control of a two-joint arm compared with PID control.
#include "app/key_table.h"
#include "app/startup.h"
#include "console/console.h"
#include "view/window.h"

namespace {

struct App {
  Scenario& scenario;
  Speaker& out;
};

KeyAction on_window_key(unsigned char key, void* user) {
  App& app = *static_cast<App*>(user);
  const KeyAction action = apply_key(app.scenario, app.out, key);
  if (action == KeyAction::Quit) app.out.con.terminate(0);
  return action;
}

}  // namespace

int main(int argc, char** argv) {
  static Scenario scenario{};
  Console& con = Console::standard();
  Speaker out{con, Lang::Ja};
  run_startup(scenario, out);
  App app{scenario, out};
  run_view(scenario, text(Text::WindowTitle, out.lang), on_window_key, &app, &argc, argv);
  con.terminate(0);
}
