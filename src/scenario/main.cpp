// tocsim: time-optimal control of a two-joint arm compared with PID control.
#include "console/console.h"
#include "scenario/dialogue.h"
#include "scenario/scenario.h"
#include "view/window.h"

int main(int argc, char** argv) {
  static Scenario scenario{};
  Console& con = Console::standard();
  run_startup(scenario, con);
  start_view(scenario, con, &argc, argv);
}
