// Report on the optimal solver over the fixed, seeded set of random tasks per
// robot and gravity case (bench/random_tasks.h): how each motion was found,
// its structure, its wall time on a pool of 2 threads, and against the
// extended solver's motion. With --check, also against the direct method
// alone on finer grids (32 and 48 steps), the best of both.
// Usage: solver_optimal_bench [tasks per case] [--check] [--list]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "random_tasks.h"
#include "toc/direct_motion.h"
#include "toc/optimal_solver.h"
#include "toc/worker_pool.h"

namespace {

double wall_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return 1e3 * static_cast<double>(ts.tv_sec) + 1e-6 * static_cast<double>(ts.tv_nsec);
}

std::string shape(const Motion& m) {
  std::string s;
  for (int j = 0; j < 2; ++j) {
    if (j > 0) s += ' ';
    for (int k = 0; k < m.joint[j].count; ++k)
      s += m.joint[j].kind[k] > 0 ? '+' : m.joint[j].kind[k] < 0 ? '-' : 's';
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  int tasks = 40;
  bool check = false, list = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) check = true;
    else if (std::strcmp(argv[i], "--list") == 0) list = true;
    else tasks = std::atoi(argv[i]);
  }
  WorkerPool pool(2);
  std::vector<double> all_ms;
  for (char robot : {'a', 'b'})
    for (char gravity : {'h', 'g'}) {
      int found = 0, passes = 0, direct = 0, faster_than_ext = 0, slower_than_ext = 0;
      int no_ext = 0, singular = 0, against = 0, beyond_check = 0;
      std::vector<double> ms;
      double worst_check = 0;
      for (int i = 0; i < tasks; ++i) {
        const auto s = random_tasks::make_task(robot, gravity, i);
        const SwitchingSolution ext = solve_switching_plan(*s, s->robot, SolverChoice::Extended, &pool);
        const double t0 = wall_ms();
        const SwitchingSolution opt = solve_switching_plan(*s, s->robot, SolverChoice::Optimal, &pool);
        ms.push_back(wall_ms() - t0);
        all_ms.push_back(ms.back());
        if (!opt.found) continue;
        ++found;
        (opt.method == FoundBy::Direct ? direct : passes)++;
        if (opt.motion.grid_count > 0) ++singular;
        const SwitchingTask t = switching_task(*s, s->robot);
        if (opt.motion.joint[0].kind[0] == -t.s1) ++against;
        if (!ext.found) ++no_ext;
        else if (opt.motion.tf < ext.motion.tf * (1 - 1e-4)) ++faster_than_ext;
        else if (opt.motion.tf > ext.motion.tf * (1 + 1e-9)) ++slower_than_ext;
        double best = 0;
        if (check) {
          const ShootingModel m(*s, s->robot);
          best = INFINITY;
          for (int grid : {32, 48}) {
            const DirectMotion d = direct_motion(m, t.y_start, t.x_target, grid);
            if (d.found) best = std::min(best, d.motion.tf);
          }
          const double over = opt.motion.tf / best - 1;
          worst_check = std::max(worst_check, over);
          if (over > 1e-3) ++beyond_check;
        }
        if (list)
          std::printf("  %c%c %2d %-6s tf %8.5f %-16s ext %8.5f%s  %.1f ms\n", robot, gravity, i,
                      opt.method == FoundBy::Direct ? "direct" : "passes", opt.motion.tf,
                      shape(opt.motion).c_str(), ext.found ? ext.motion.tf : 0.0,
                      check ? (" finer " + std::to_string(best)).c_str() : "", ms.back());
      }
      std::sort(ms.begin(), ms.end());
      std::printf("%c%c: %d of %d found (passes %d, direct %d; %d inside the limits, %d joint 1 "
                  "against its move); vs extended: %d faster, %d slower, %d it had none; "
                  "wall %.1f ms median, %.1f ms worst",
                  robot, gravity, found, tasks, passes, direct, singular, against, faster_than_ext,
                  slower_than_ext, no_ext, ms[ms.size() / 2], ms.back());
      if (check) std::printf("; vs finer grids: %d above by 0.1%%, worst %+.4f%%", beyond_check, 100 * worst_check);
      std::printf("\n");
    }
  std::sort(all_ms.begin(), all_ms.end());
  std::printf("all: wall %.1f ms median, %.1f ms worst\n", all_ms[all_ms.size() / 2], all_ms.back());
}
