#include "app/sweep_option.h"

#include "app/dialogue.h"
#include "app/sweep_csv.h"
#include "app/sweep_point.h"

bool write_sweep_option(const Conditions& c, Ui& ui, const std::string& path) {
  RatioSweep sweep{};
  compute_sweep(sweep, c, ui.solver, ui.pool);
  const WriteResult r = write_new_sweep_csv_to(path, sweep);
  if (!r.ok) say_not_saved(r.error, ui);
  return r.ok;
}
