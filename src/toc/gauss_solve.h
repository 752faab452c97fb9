// Small dense linear systems by Gaussian elimination with partial pivoting.
#pragma once

// Solves a x = b for the n x n matrix a (by rows, row stride n); b becomes x
// and a is overwritten by the elimination. Returns false, with b holding no
// solution, when a pivot is zero or not a finite number.
bool gauss_solve(int n, double* a, double* b);
