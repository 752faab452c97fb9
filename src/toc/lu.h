// LU factorisation with partial pivoting of small square matrices: the Newton
// pass inverts its 4 x 4 Jacobian with it, the search solves its damped normal
// equations. Fixed storage only, so there is no out-of-memory case.
#pragma once

// Largest order the factors hold.
constexpr int kMaxLuOrder = 8;

// P A = L U, stored by position after the row exchanges: below the diagonal
// the multipliers of the unit lower factor L, on and above it U.
struct LuFactors {
  int n;
  double lu[kMaxLuOrder][kMaxLuOrder];
  int row[kMaxLuOrder];  // position i holds row row[i] of A
  double sign;           // +1 or -1 by the parity of the row exchanges
  bool regular;          // every pivot is a nonzero finite number
};

// Factors the n x n matrix a (row i at a + i * stride; a is only read). The
// pivot of column k is the first entry of largest magnitude at or below the
// diagonal. Elimination goes on past a pivot that is zero or not a number (the
// factors then hold infinities or NaN and regular is false), so the
// determinant still comes out of them. An order outside 0..kMaxLuOrder gives
// no factors: n = 0, not regular, determinant NaN. Returns f.regular.
bool lu_factor(int n, const double* a, int stride, LuFactors& f);

// Solves A x = b with the factors of A; b becomes x. Meaningful when regular.
void lu_solve(const LuFactors& f, double* b);

// det A: the sign of the row exchanges times the pivots, in position order.
double lu_determinant(const LuFactors& f);

// Factors the n x n matrix a (row i at a + i * stride) and, when |det A| >
// min_abs_det, replaces it by its inverse; otherwise (a determinant that is
// not a number included) a is left as it was. The doubles between the rows
// are never touched. Returns det A: NaN for an order outside 0..kMaxLuOrder.
double lu_invert(int n, double* a, int stride, double min_abs_det);
