// LU factorisation with partial pivoting: solving small systems (row
// exchanges, pivoting for accuracy, refusal of a singular matrix) and in-place
// inversion (determinant, pivoting, stride, the nearly singular case).
#include "toc/lu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toc/newton.h"

namespace {

using M4 = double[4][4];

void expect_matrix(const M4& a, const M4& want) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(a[i][j], want[i][j]) << i << "," << j;
}

// Solves a x = b as the search does: b becomes x; false when a pivot is zero
// or not a number.
bool solve(int n, double* a, double* b) {
  LuFactors f;
  if (!lu_factor(n, a, n, f)) return false;
  lu_solve(f, b);
  return true;
}

}  // namespace

TEST(LuInvert, IdentityDiagonalAndPermutations) {
  M4 id = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  EXPECT_EQ(lu_invert(4, &id[0][0], 4, kSingularDeterminant), 1.0);
  expect_matrix(id, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
  M4 d = {{2, 0, 0, 0}, {0, 4, 0, 0}, {0, 0, 8, 0}, {0, 0, 0, 16}};
  EXPECT_EQ(lu_invert(4, &d[0][0], 4, kSingularDeterminant), 1024.0);
  expect_matrix(d, {{0.5, 0, 0, 0}, {0, 0.25, 0, 0}, {0, 0, 0.125, 0}, {0, 0, 0, 0.0625}});
  M4 cycle = {{0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}};  // odd
  EXPECT_EQ(lu_invert(4, &cycle[0][0], 4, kSingularDeterminant), -1.0);
  expect_matrix(cycle, {{0, 0, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}});
  M4 two_swaps = {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}};  // even
  EXPECT_EQ(lu_invert(4, &two_swaps[0][0], 4, kSingularDeterminant), 1.0);
  expect_matrix(two_swaps, {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}});
}

TEST(LuInvert, NearlySingularMatricesAreLeftAlone) {
  M4 small = {{1e-4, 0, 0, 0}, {0, 1e-3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  EXPECT_NEAR(lu_invert(4, &small[0][0], 4, kSingularDeterminant), 1e-7, 1e-20);
  expect_matrix(small, {{1e-4, 0, 0, 0}, {0, 1e-3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
  M4 zero_col = {{1, 2, 0, 4}, {5, 6, 0, 8}, {9, 1, 0, 2}, {3, 4, 0, 5}};
  EXPECT_FALSE(std::fabs(lu_invert(4, &zero_col[0][0], 4, kSingularDeterminant)) > 1e-6);  // 0 or NaN
  expect_matrix(zero_col, {{1, 2, 0, 4}, {5, 6, 0, 8}, {9, 1, 0, 2}, {3, 4, 0, 5}});
  double big[9 * 9] = {1.0};  // beyond the factors' storage: untouched, NaN
  EXPECT_TRUE(std::isnan(lu_invert(kMaxLuOrder + 1, big, 9, kSingularDeterminant)));
  EXPECT_EQ(big[0], 1.0);
}

TEST(LuInvert, GeneralMatrixWithPivotingAndStride) {
  const M4 m = {{0, 2, 1, 3}, {4, 1, 0, 2}, {1, 0, 3, 1}, {2, 5, 1, 0}};
  double a[4 * 6];  // row stride 6: the two extra doubles of each row must survive
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 6; ++j) a[i * 6 + j] = j < 4 ? m[i][j] : 100 + i * 10 + j;
  // Cofactors along row 0: -2(-14) + 1(-8) - 3(-55); the first pivot comes from row 1.
  EXPECT_NEAR(lu_invert(4, a, 6, kSingularDeterminant), 185.0, 1e-12);
  for (int i = 0; i < 4; ++i) {
    for (int j = 4; j < 6; ++j) EXPECT_EQ(a[i * 6 + j], 100 + i * 10 + j);
    for (int j = 0; j < 4; ++j) {
      double p = 0;
      for (int k = 0; k < 4; ++k) p += m[i][k] * a[k * 6 + j];
      EXPECT_NEAR(p, i == j ? 1.0 : 0.0, 1e-14) << i << "," << j;
    }
  }
}

TEST(LuSolve, SolvesASystemThatNeedsARowExchange) {
  // Zero in the first pivot position: without exchanging rows this divides by zero.
  double a[9] = {0, 2, 1,  //
                 1, 1, 1,  //
                 2, 1, 3};
  double b[3] = {0 * 1 + 2 * 2 + 1 * 3, 1 + 2 + 3, 2 * 1 + 1 * 2 + 3 * 3};  // x = (1, 2, 3)
  ASSERT_TRUE(solve(3, a, b));
  EXPECT_NEAR(b[0], 1.0, 1e-14);
  EXPECT_NEAR(b[1], 2.0, 1e-14);
  EXPECT_NEAR(b[2], 3.0, 1e-14);
}

TEST(LuSolve, PivotsOnTheLargestEntryForAccuracy) {
  // Eliminating with the tiny pivot 1e-20 would lose x0 entirely.
  double a[4] = {1e-20, 1, 1, 1};
  double b[2] = {1, 2};  // x = (1 / (1 - 1e-20), ...) ~ (1, 1)
  ASSERT_TRUE(solve(2, a, b));
  EXPECT_NEAR(b[0], 1.0, 1e-15);
  EXPECT_NEAR(b[1], 1.0, 1e-15);
}

TEST(LuSolve, FourByFourSymmetricPositiveDefinite) {
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
  ASSERT_TRUE(solve(4, a, b));
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(b[i], x[i], 1e-14) << i;
}

TEST(LuSolve, SingularOrNotANumberIsRefused) {
  double a[4] = {1, 2, 2, 4};
  double b[2] = {1, 1};
  EXPECT_FALSE(solve(2, a, b));
  double zero[4] = {0, 0, 0, 0};
  double b0[2] = {0, 0};
  EXPECT_FALSE(solve(2, zero, b0));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  double n[4] = {nan, 0, 0, 1};
  double bn[2] = {1, 1};
  EXPECT_FALSE(solve(2, n, bn));
}

TEST(LuFactor, ReadsTheMatrixOnlyAndCountsTheExchanges) {
  const double m[9] = {0, 2, 1,  //
                       1, 1, 1,  //
                       2, 1, 3};
  double a[9];
  for (int i = 0; i < 9; ++i) a[i] = m[i];
  LuFactors f;
  ASSERT_TRUE(lu_factor(3, a, 3, f));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(a[i], m[i]) << i;
  // Column 0 takes row 2 (|2| largest), column 1 then row 0 (|2| > |0.5|):
  // two exchanges, an even permutation.
  EXPECT_EQ(f.row[0], 2);
  EXPECT_EQ(f.row[1], 0);
  EXPECT_EQ(f.row[2], 1);
  EXPECT_EQ(f.sign, 1.0);
  // Cofactors along row 0: 0(3 - 1) - 2(3 - 2) + 1(1 - 2); every step is exact.
  EXPECT_EQ(lu_determinant(f), -3.0);
}

TEST(LuSolve, TheInverseHoldsTheSolutionsForTheUnitVectorsBitForBit) {
  // The Newton pass and the search share one substitution: solving for e_m
  // gives column m of the inverse exactly, not merely closely.
  const double m[16] = {0.3, -1.7, 2.2, 0.4,  //
                        1.1, 0.9, -0.6, 3.1,  //
                        -2.5, 0.2, 0.8, 1.3,  //
                        0.7, 2.9, -1.4, -0.2};
  double inv[16];
  for (int i = 0; i < 16; ++i) inv[i] = m[i];
  ASSERT_GT(std::fabs(lu_invert(4, inv, 4, kSingularDeterminant)), kSingularDeterminant);
  LuFactors f;
  ASSERT_TRUE(lu_factor(4, m, 4, f));
  for (int c = 0; c < 4; ++c) {
    double e[4] = {0, 0, 0, 0};
    e[c] = 1.0;
    lu_solve(f, e);
    for (int r = 0; r < 4; ++r) EXPECT_EQ(e[r], inv[r * 4 + c]) << r << "," << c;
  }
}

TEST(LuFactor, OfEqualCandidatesThePivotIsTheUppermost) {
  // |1| = |-1| in column 0 and |2| = |-2| in column 1 of what remains: no
  // exchange at all. Taking a later row on a tie would give other rounding.
  const double a[9] = {1, 1, 0,   //
                       -1, 1, 1,  //
                       1, -1, 1};
  LuFactors f;
  ASSERT_TRUE(lu_factor(3, a, 3, f));
  EXPECT_EQ(f.row[0], 0);
  EXPECT_EQ(f.row[1], 1);
  EXPECT_EQ(f.row[2], 2);
  EXPECT_EQ(f.sign, 1.0);
  EXPECT_EQ(lu_determinant(f), 4.0);
}
