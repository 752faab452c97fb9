// The solver on a pool of threads gives every result bit for bit as it is
// without one: the passes, their checks, the search and every count, over the
// seeded random task set of the solver benchmarks (tasks the passes solve,
// tasks only the search solves, tasks nobody solves), with 1, 2 and 4 threads.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "random_tasks.h"
#include "toc/switching_solver.h"
#include "toc/worker_pool.h"

namespace {

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

::testing::AssertionResult same_solution(const SwitchingSolution& a, const SwitchingSolution& b) {
  auto differ = [](const char* what) { return ::testing::AssertionFailure() << what << " differs"; };
  if (a.found != b.found || a.by_search != b.by_search) return differ("found");
  if (a.searched != b.searched || a.search_runs != b.search_runs) return differ("search");
  if (a.simulations != b.simulations) return differ("simulations");
  for (int i = 0; i < 2; ++i) {
    const PassSummary &p = a.pass[i], &q = b.pass[i];
    if (p.s2 != q.s2 || p.updates != q.updates || p.converged != q.converged ||
        p.accepted != q.accepted || !same_bits(p.final_time, q.final_time))
      return differ("a pass");
  }
  if (!a.found) return ::testing::AssertionSuccess();
  for (int k = 0; k < 4; ++k) {
    if (!same_bits(a.plan.tt[k], b.plan.tt[k])) return differ("a switching time");
    if (a.plan.sign[k][0] != b.plan.sign[k][0] || a.plan.sign[k][1] != b.plan.sign[k][1])
      return differ("a sign");
  }
  return ::testing::AssertionSuccess();
}

// The first tasks of each case of the set: with gravity the passes miss some
// of them and the search finds some and not others.
constexpr int kTasksPerCase = 6;

TEST(ParallelSolver, EveryResultAsWithoutThreads) {
  WorkerPool one(1), two(2), four(4);
  int searched = 0, found = 0;
  for (const char robot : {'a', 'b'}) {
    for (const char gravity : {'h', 'g'}) {
      for (int i = 0; i < kTasksPerCase; ++i) {
        const auto s = random_tasks::make_task(robot, gravity, i);
        const SwitchingSolution serial = solve_switching_plan(*s, s->robot, SolverChoice::Extended);
        searched += serial.searched;
        found += serial.found;
        for (WorkerPool* pool : {&one, &two, &four}) {
          const SwitchingSolution on_pool =
              solve_switching_plan(*s, s->robot, SolverChoice::Extended, pool);
          EXPECT_TRUE(same_solution(serial, on_pool))
              << robot << gravity << " task " << i << ", " << pool->threads() << " threads";
        }
      }
    }
  }
  // The set reaches the search, and not only tasks that are solved.
  EXPECT_GT(searched, 0);
  EXPECT_GT(found, searched / 2);
}

// The default cases, whose numbers the console prints: the same with threads.
TEST(ParallelSolver, DefaultCasesAsWithoutThreads) {
  WorkerPool pool(2);
  for (const char robot : {'a', 'b'}) {
    for (const char gravity : {'h', 'g'}) {
      auto s = std::make_unique<Scenario>();
      compute_default_conditions(*s);
      select_robot(*s, robot);
      select_gravity(*s, gravity);
      s->elbow = Elbow::Down;
      compute_conditions(*s);
      EXPECT_TRUE(same_solution(solve_switching_plan(*s, s->robot, SolverChoice::Extended),
                                solve_switching_plan(*s, s->robot, SolverChoice::Extended, &pool)))
          << robot << gravity;
    }
  }
}

// Work handed out from inside a piece (the columns inside a pass) finishes
// with any number of threads, every index exactly once.
TEST(WorkerPoolRun, NestedWorkEveryIndexOnce) {
  for (int threads : {1, 2, 3, 8}) {
    WorkerPool pool(threads);
    int counts[6][5] = {};
    auto outer = [&](int i) {
      auto inner = [&](int j) { counts[i][j] = counts[i][j] + 1; };
      pool.for_each(5, inner);
    };
    pool.for_each(6, outer);
    for (auto& row : counts)
      for (int c : row) EXPECT_EQ(c, 1) << threads << " threads";
  }
  WorkerPool pool(2);
  int calls = 0;
  auto none = [&](int) { ++calls; };
  pool.for_each(0, none);
  EXPECT_EQ(calls, 0);
}

}  // namespace
