// PLACEHOLDER
#include "scenario/dialogue.h"
void run_condition_dialogue(Scenario&, Console&) {}
void run_startup(Scenario&, Console&) {}
