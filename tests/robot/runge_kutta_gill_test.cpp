// The Gill step: truncated coefficients, fourth order, stage times, independent components.
#include "robot/runge_kutta_gill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(RungeKuttaGill, ConstantAndExponentialRates) {
  double y[1] = {0.0}, out[1];
  runge_kutta_gill([](double, const double*, double* f) { f[0] = 1.0; }, 0.0, 0.1, y, out);
  EXPECT_NEAR(out[0], 0.0999999999667, 1e-13);  // the truncated coefficients show
  EXPECT_NE(out[0], 0.1);
  EXPECT_EQ(y[0], 0.0);
  y[0] = 1.0;
  runge_kutta_gill([](double, const double* z, double* f) { f[0] = z[0]; }, 0.0, 0.002, y, y);
  EXPECT_NEAR(y[0] / std::exp(0.002), 1.0, 1e-12);
}

TEST(RungeKuttaGill, StagesSeeTheWholePreviousStage) {
  // On y0' = y1, y1' = -y0 a fourth-order step is the degree-4 Taylor polynomial
  // of the flow; mixing old and new components within a stage breaks that.
  const double h = 0.1;
  double y[2] = {1.0, 0.0};
  runge_kutta_gill([](double, const double* z, double* f) { f[0] = z[1]; f[1] = -z[0]; },
                   0.0, h, y, y);
  EXPECT_NEAR(y[0], 1 - h * h / 2 + h * h * h * h / 24, 1e-10);
  EXPECT_NEAR(y[1], -(h - h * h * h / 6), 1e-10);
}

TEST(RungeKuttaGill, StageTimesAndIndependentComponents) {
  std::vector<double> times;
  const auto rate = [&times](double t, const double*, double* f) {
    times.push_back(t);
    for (int i = 0; i < 6; ++i) f[i] = (i + 1) * t * t;
  };
  double y[6] = {1, -2, 3, 0.5, 0, 7}, out[6];
  runge_kutta_gill(rate, 1.0, 0.25, y, out);
  EXPECT_EQ(times, (std::vector<double>{1.0, 1.125, 1.125, 1.25}));
  for (int i = 0; i < 6; ++i) {
    double alone[1] = {y[i]};
    runge_kutta_gill([i](double t, const double*, double* f) { f[0] = (i + 1) * t * t; }, 1.0,
                     0.25, alone, alone);
    EXPECT_EQ(out[i], alone[0]) << i;
    EXPECT_NEAR(out[i], y[i] + (i + 1) * (1.953125 - 1.0) / 3, 1e-8) << i;  // integral of t^2
  }
}
