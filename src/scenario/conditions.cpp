// PLACEHOLDER
#include "scenario/conditions.h"
void initialset(Scenario&, Console&) {}
void compute_conditions(Scenario&, Console&) {}
void compute_torque_limits(Scenario&) {}
void compute_inertias(Scenario&) {}
void compute_terminal_times(Scenario&) {}
void compute_pid_gains(Scenario&) {}
void print_conditions(const Scenario&, Console&) {}
