#pragma once

// Dense complex LU factorisation with scaled partial pivoting, and the solve from the
// factors, with the complex level-1 kernels they rest on.
//
// Matrices are stored by columns, 1-based in the descriptions, element (i, j) at
// (i-1) + (j-1)*LD. A vector with increment INCX has element i at (i-1)*INCX, or, for a
// negative INCX, the walk starts at (N-1)*|INCX| and goes backwards. Every argument is
// by reference; errors go through the error stack (errors.h) and stop the run by
// throwing NumericStop. Pivot and singularity decisions use |re| + |im|.

#include "engine/complex.h"

namespace velmar::numeric {

// LU factors of the N x N matrix A into FAC and IPVT (N entries). A and FAC may be the
// same array. A singular matrix is a FATAL error (code 2) after the whole factorisation.
void DLFTCG(const int& N, const Complex* A, const int& LDA, Complex* FAC, const int& LDFAC, int* IPVT);
// The same with a caller-supplied WORK of N complex elements (the row scale factors).
void DL2TCG(const int& N, const Complex* A, const int& LDA, Complex* FAC, const int& LDFAC, int* IPVT,
            Complex* WORK);
// Solves A x = b (IPATH 1) or A^H x = b (IPATH 2) from DLFTCG's factors. B is left
// unchanged unless X is the same array, which is allowed.
void DLFSCG(const int& N, const Complex* FAC, const int& LDFAC, const int* IPVT, const Complex* B,
            const int& IPATH, Complex* X);
// op(A) x = b in place for triangular A. UPLO "U"/"L", TRANS "N"/"T"/"C", DIAG "U"/"N"
// (case-insensitive, first character only). A zero diagonal is not guarded.
void ZTRSV(const char* UPLO, const int& uploLength, const char* TRANS, const int& transLength,
           const char* DIAG, const int& diagLength, const int& N, const Complex* A, const int& LDA,
           Complex* X, const int& INCX);
// Copies the N x N matrix A into B; with LDB > LDA, B may be A widened in place.
void DCCGCG(const int& N, const Complex* A, const int& LDA, Complex* B, const int& LDB);

// IDX := the first i in 1..N with the largest |re|+|im| of X(i)*Y(i); 1 when every
// product is 0 or N < 1.
void ZMAXPRODIDX(const int& N, const Complex* X, const Complex* Y, int& IDX);
// Index of the first element with the largest |re|+|im|; 0 when N < 1.
int IZAMAX(const int& N, const Complex* X, const int& INCX);
// Y := Y + ZA*X; nothing when N < 1 or |re|+|im| of ZA is 0 or not a number.
void ZAXPY(const int& N, const Complex& ZA, const Complex* X, const int& INCX, Complex* Y, const int& INCY);
void ZCOPY(const int& N, const Complex* X, const int& INCX, Complex* Y, const int& INCY);
// RESULT := sum conj(X(i))*Y(i), resp. sum X(i)*Y(i); (0, 0) when N < 1.
void ZDOTC(Complex& RESULT, const int& N, const Complex* X, const int& INCX, const Complex* Y, const int& INCY);
void ZDOTU(Complex& RESULT, const int& N, const Complex* X, const int& INCX, const Complex* Y, const int& INCY);

} // namespace velmar::numeric
