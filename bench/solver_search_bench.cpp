// Report on the switching-time search over a fixed seeded set of random tasks
// per robot and gravity case: success of the Newton passes alone and with the
// search, and what the search costs where it succeeds and where it finds
// nothing. Usage: solver_search_bench [tasks per case] [--list]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ctime>
#include <vector>

#include "random_tasks.h"
#include "toc/switching_search.h"
#include "toc/worker_pool.h"
#include "toc/switching_solver.h"

namespace {

// Processor time of this thread: the machine is shared, so wall time says as
// much about the other processes as about the solver. Both are reported.
double cpu_ms() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return 1e3 * static_cast<double>(ts.tv_sec) + 1e-6 * static_cast<double>(ts.tv_nsec);
}

double wall_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return 1e3 * static_cast<double>(ts.tv_sec) + 1e-6 * static_cast<double>(ts.tv_nsec);
}

struct Stopwatch {
  double cpu0 = cpu_ms(), wall0 = wall_ms();
  double cpu() const { return cpu_ms() - cpu0; }
  double wall() const { return wall_ms() - wall0; }
};

struct Cost {
  std::vector<long> sims;
  std::vector<double> cpu, wall;
};

template <class T>
void median_worst(std::vector<T> v, T& median, T& worst) {
  std::sort(v.begin(), v.end());
  median = v[v.size() / 2];
  worst = v.back();
}

void print_cost(const char* what, const Cost& c) {
  if (c.sims.empty()) {
    std::printf("    search %-10s: no task\n", what);
    return;
  }
  long sm, sw;
  double cm, cw, wm, ww;
  median_worst(c.sims, sm, sw);
  median_worst(c.cpu, cm, cw);
  median_worst(c.wall, wm, ww);
  std::printf("    search %-10s: %2zu tasks; simulations median %5ld, worst %5ld;"
              " CPU ms median %6.1f, worst %6.1f; wall ms median %6.1f, worst %6.1f\n",
              what, c.sims.size(), sm, sw, cm, cw, wm, ww);
}

}  // namespace

int main(int argc, char** argv) {
  int n = 40;
  int threads = 0;  // 0: no pool, the serial order
  bool list = false;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--list") == 0) list = true;
    else if (std::strncmp(argv[a], "--threads=", 10) == 0) threads = std::atoi(argv[a] + 10);
    else n = std::atoi(argv[a]);
  }
  const std::unique_ptr<WorkerPool> pool = threads > 0 ? std::make_unique<WorkerPool>(threads) : nullptr;
  double worst_cpu = 0, worst_wall = 0;
  int total = 0, ref_total = 0, ext_total = 0, rejected_total = 0;
  for (const char robot : {'a', 'b'}) {
    for (const char gravity : {'h', 'g'}) {
      Cost found_cost, none_cost;
      int ref_ok = 0, ext_ok = 0, rejected = 0;
      for (int i = 0; i < n; ++i) {
        random_tasks::Points p;
        auto s = random_tasks::make_task(robot, gravity, i, &p);
        const SwitchingSolution ref = solve_switching_plan(*s, s->robot, SolverChoice::Reference);
        const Stopwatch whole;
        const SwitchingSolution ext =
            solve_switching_plan(*s, s->robot, SolverChoice::Extended, pool.get());
        worst_cpu = std::max(worst_cpu, whole.cpu());
        worst_wall = std::max(worst_wall, whole.wall());
        ref_ok += ref.found;
        ext_ok += ext.found;
        // A pass that converged (a solution before the acceptance test) but was turned down.
        for (const PassSummary& ps : ref.pass) rejected += ps.converged && !ps.accepted;
        if (ext.searched) {
          // The search alone, timed on its own.
          const SwitchingTask t = switching_task(*s, s->robot);
          const ShootingModel m(*s, s->robot);
          const Stopwatch search;
          const SearchResult sr =
              search_switching_times(m, t.y_start, t.x_target, t.s1, t.tf0, pool.get());
          Cost& c = sr.found ? found_cost : none_cost;
          c.sims.push_back(sr.simulations);
          c.cpu.push_back(search.cpu());
          c.wall.push_back(search.wall());
        }
        if (list) {
          std::printf("  %c %c %2d (%7.4f %7.4f)->(%7.4f %7.4f) passes %d%d/%d%d %s tf %7.4f"
                      " simulations %5ld\n",
                      robot, gravity, i, p.x0, p.y0, p.xf, p.yf, ext.pass[0].converged,
                      ext.pass[1].converged, ext.pass[0].accepted, ext.pass[1].accepted,
                      !ext.found ? "none     " : ext.by_search ? "by search" : "by passes",
                      ext.found ? ext.plan.tt[3] : 0.0, ext.simulations);
        }
      }
      std::printf("%s, gravity %s: %d tasks\n", robot == 'a' ? "cylindrical" : "SCARA",
                  gravity == 'g' ? "on" : "off", n);
      std::printf("    solved by the Newton passes alone: %3d (%5.1f %%);"
                  " converged passes turned down: %d\n",
                  ref_ok, 100.0 * ref_ok / n, rejected);
      std::printf("    solved with the search:            %3d (%5.1f %%)\n", ext_ok,
                  100.0 * ext_ok / n);
      print_cost("found", found_cost);
      print_cost("found none", none_cost);
      total += n;
      ref_total += ref_ok;
      ext_total += ext_ok;
      rejected_total += rejected;
    }
  }
  std::printf("all cases: %d tasks; passes alone %d (%.1f %%), with the search %d (%.1f %%);"
              " converged passes turned down %d\n",
              total, ref_total, 100.0 * ref_total / total, ext_total, 100.0 * ext_total / total,
              rejected_total);
  std::printf("slowest whole extended solve: %.1f ms CPU, %.1f ms wall\n", worst_cpu, worst_wall);
  return 0;
}
