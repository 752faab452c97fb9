// In-place inversion with determinant, pivoting, stride and the singular case.
#include "toc/matrix_inverse.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using M4 = double[4][4];

void expect_matrix(const M4& a, const M4& want) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(a[i][j], want[i][j]) << i << "," << j;
}

}  // namespace

TEST(MatrixInverse, IdentityDiagonalAndPermutations) {
  M4 id = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  EXPECT_EQ(invert_matrix(4, &id[0][0], 4), 1.0);
  expect_matrix(id, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
  M4 d = {{2, 0, 0, 0}, {0, 4, 0, 0}, {0, 0, 8, 0}, {0, 0, 0, 16}};
  EXPECT_EQ(invert_matrix(4, &d[0][0], 4), 1024.0);
  expect_matrix(d, {{0.5, 0, 0, 0}, {0, 0.25, 0, 0}, {0, 0, 0.125, 0}, {0, 0, 0, 0.0625}});
  M4 cycle = {{0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}};  // odd
  EXPECT_EQ(invert_matrix(4, &cycle[0][0], 4), -1.0);
  expect_matrix(cycle, {{0, 0, 0, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}});
  M4 two_swaps = {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}};  // even
  EXPECT_EQ(invert_matrix(4, &two_swaps[0][0], 4), 1.0);
  expect_matrix(two_swaps, {{0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 1, 0}});
}

TEST(MatrixInverse, NearlySingularMatricesAreLeftAlone) {
  M4 small = {{1e-4, 0, 0, 0}, {0, 1e-3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  EXPECT_NEAR(invert_matrix(4, &small[0][0], 4), 1e-7, 1e-20);
  expect_matrix(small, {{1e-4, 0, 0, 0}, {0, 1e-3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
  M4 zero_col = {{1, 2, 0, 4}, {5, 6, 0, 8}, {9, 1, 0, 2}, {3, 4, 0, 5}};
  EXPECT_FALSE(std::fabs(invert_matrix(4, &zero_col[0][0], 4)) > 1e-6);  // 0 or NaN
  expect_matrix(zero_col, {{1, 2, 0, 4}, {5, 6, 0, 8}, {9, 1, 0, 2}, {3, 4, 0, 5}});
  double big[9 * 9] = {1.0};  // beyond the scratch storage: untouched, NaN
  EXPECT_TRUE(std::isnan(invert_matrix(kMaxInvertOrder + 1, big, 9)));
  EXPECT_EQ(big[0], 1.0);
}

TEST(MatrixInverse, GeneralMatrixWithPivotingAndStride) {
  const M4 m = {{0, 2, 1, 3}, {4, 1, 0, 2}, {1, 0, 3, 1}, {2, 5, 1, 0}};
  double a[4 * 6];  // row stride 6: the two extra doubles of each row must survive
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 6; ++j) a[i * 6 + j] = j < 4 ? m[i][j] : 100 + i * 10 + j;
  // Cofactors along row 0: -2(-14) + 1(-8) - 3(-55); the first pivot comes from row 1.
  EXPECT_NEAR(invert_matrix(4, a, 6), 185.0, 1e-12);
  for (int i = 0; i < 4; ++i) {
    for (int j = 4; j < 6; ++j) EXPECT_EQ(a[i * 6 + j], 100 + i * 10 + j);
    for (int j = 0; j < 4; ++j) {
      double p = 0;
      for (int k = 0; k < 4; ++k) p += m[i][k] * a[k * 6 + j];
      EXPECT_NEAR(p, i == j ? 1.0 : 0.0, 1e-14) << i << "," << j;
    }
  }
}
