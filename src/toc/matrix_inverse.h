// In-place inversion of a small square matrix by LU decomposition with partial
// pivoting.
#pragma once

// Largest order the fixed scratch storage holds. The solver inverts 4 x 4
// Jacobians; nothing is taken from the heap, so there is no out-of-memory case.
constexpr int kMaxInvertOrder = 8;

// Below or at this |determinant| the matrix counts as singular.
constexpr double kSingularDeterminant = 1e-6;

// a holds n x n doubles by rows, row i starting at a + i * stride (stride >= n);
// the doubles between the rows are never touched. Returns the determinant.
// When |det| > 1e-6, a is replaced by its inverse; otherwise (a zero pivot or a
// determinant that is not a number included) a is left as it was.
// An order outside 0..kMaxInvertOrder leaves a as it was and returns NaN.
double invert_matrix(int n, double* a, int stride);
