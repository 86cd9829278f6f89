#pragma once

#include "engine/complex.h"

#include <stdexcept>

// The engine's small numerical layer over the library routines: a dense complex
// matrix with row pointers, LU factor/solve wrappers and the real FFT wrappers.
// Circuit::SolveAtFrequency (declared in circuit.h) is built on these.

namespace velmar {

// Thrown by MatrixError after its message is printed; the nodal solve turns it into
// a failed result instead of ending the process.
class MatrixStop : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// rows x columns complex zeros, stored row after row in one block; row r starts at
// element r * columns. Fewer than one row or column is a MatrixError.
Complex** ComplexMatrix(const int& rows, const int& columns);
void FreeComplexMatrix(Complex** matrix);

// Prints the matrix failure message on standard output, then throws MatrixStop.
[[noreturn]] void MatrixError(const char* message);

// LU factorisation of the row-ordered n x n matrix A into FAC. When A and FAC are the
// same matrix, FAC ends up holding the factors in column order, as LuSolve expects.
// Numerical failure (a singular matrix) throws velmar::numeric::NumericStop.
void LuFactor(const int& n, Complex** A, Complex** FAC, int* pivots);
// IPATH 1 solves A x = b, 2 solves A^H x = b; B and X may be the same array.
void LuSolve(const int& n, Complex** FAC, int* pivots, Complex* B, const int& IPATH, Complex* X);

// Square n x n transpose; in place when source and target are the same matrix.
void Transpose(const int& n, Complex** source, Complex** target);

// Unscaled real transforms of length n in the packed layout: element 0 the sum,
// elements 2k-1, 2k the real and imaginary part of X_k = sum x_j exp(-2 pi i j k / n).
// Backward(Forward(x)) = n x.
void ForwardRealFft(const int& n, const double* sequence, double* coefficients);
void BackwardRealFft(const int& n, const double* coefficients, double* sequence);

} // namespace velmar
