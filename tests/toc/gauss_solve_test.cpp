// Gaussian elimination with partial pivoting on small systems.
#include "toc/gauss_solve.h"

#include <gtest/gtest.h>

#include <limits>

TEST(GaussSolve, SolvesASystemThatNeedsARowExchange) {
  // Zero in the first pivot position: without exchanging rows this divides by zero.
  double a[9] = {0, 2, 1,  //
                 1, 1, 1,  //
                 2, 1, 3};
  double b[3] = {0 * 1 + 2 * 2 + 1 * 3, 1 + 2 + 3, 2 * 1 + 1 * 2 + 3 * 3};  // x = (1, 2, 3)
  ASSERT_TRUE(gauss_solve(3, a, b));
  EXPECT_NEAR(b[0], 1.0, 1e-14);
  EXPECT_NEAR(b[1], 2.0, 1e-14);
  EXPECT_NEAR(b[2], 3.0, 1e-14);
}

TEST(GaussSolve, PivotsOnTheLargestEntryForAccuracy) {
  // Eliminating with the tiny pivot 1e-20 would lose x0 entirely.
  double a[4] = {1e-20, 1, 1, 1};
  double b[2] = {1, 2};  // x = (1 / (1 - 1e-20), ...) ~ (1, 1)
  ASSERT_TRUE(gauss_solve(2, a, b));
  EXPECT_NEAR(b[0], 1.0, 1e-15);
  EXPECT_NEAR(b[1], 1.0, 1e-15);
}

TEST(GaussSolve, FourByFourSymmetricPositiveDefinite) {
  // The damped normal equations the search solves are of this kind.
  const double x[4] = {0.5, -1.25, 2.0, 0.125};
  double a[16] = {4, 1, 0, 1,  //
                  1, 5, 2, 0,  //
                  0, 2, 6, 1,  //
                  1, 0, 1, 3};
  double b[4];
  for (int i = 0; i < 4; ++i) {
    b[i] = 0;
    for (int j = 0; j < 4; ++j) b[i] += a[i * 4 + j] * x[j];
  }
  ASSERT_TRUE(gauss_solve(4, a, b));
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(b[i], x[i], 1e-14) << i;
}

TEST(GaussSolve, SingularOrNotANumberIsRefused) {
  double a[4] = {1, 2, 2, 4};
  double b[2] = {1, 1};
  EXPECT_FALSE(gauss_solve(2, a, b));
  double zero[4] = {0, 0, 0, 0};
  double b0[2] = {0, 0};
  EXPECT_FALSE(gauss_solve(2, zero, b0));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  double n[4] = {nan, 0, 0, 1};
  double bn[2] = {1, 1};
  EXPECT_FALSE(gauss_solve(2, n, bn));
}
