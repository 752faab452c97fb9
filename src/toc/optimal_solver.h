// The truly fastest motion, whatever its switching structure. The two Newton
// passes run first; where their motion satisfies Pontryagin's principle (its
// switching functions change sign exactly at its switches) it is kept as it
// is. Otherwise the direct method finds the motion and its structure, and
// shooting on that structure's switching times refines it; an arc inside the
// limits keeps the direct method's torques on a finer grid. The passes'
// motion stays where the direct method finds nothing faster.
#pragma once

#include "toc/switching_solver.h"

class WorkerPool;

SwitchingSolution solve_optimal(const Conditions& s, Robot robot, WorkerPool* pool = nullptr);

