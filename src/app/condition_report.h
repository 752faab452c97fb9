// The condition report of the selected robot, as the console shows it.
#pragma once

#include "app/ui.h"
#include "model/scenario.h"

void print_conditions(const Conditions& s, Ui& out);
