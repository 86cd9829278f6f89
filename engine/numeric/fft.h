#pragma once

// Real FFT of any length, unscaled in both directions: backward(forward(x)) = N x.
//
// Packed coefficients COEF(1..N), with X_m = sum_k SEQ(k+1) exp(-2 pi i m k / N):
// COEF(1) = X_0, COEF(2m) = Re X_m, COEF(2m+1) = Im X_m for m = 1..(N-1)/2, and for
// even N, COEF(N) = X_(N/2). SEQ and COEF may be the same array.
//
// FFTTAB holds 2N + 15 doubles: 1..N scratch, N+1..2N twiddle factors, then N, the
// number of factors and at most 13 factors. A length that needs more factors, or
// N < 1, is a TERMINAL error on the error stack (errors.h): it throws NumericStop and
// leaves the output untouched.

namespace velmar::numeric {

// Forward and backward transforms with a work array of their own, built on each call.
void DFFTRF(const int& N, const double* SEQ, double* COEF);
void DFFTRB(const int& N, const double* COEF, double* SEQ);

// Fills the factor table and twiddle factors of FFTTAB (2N + 15 doubles) for length N.
void DFFTRI(const int& N, double* FFTTAB);
// Transforms with a caller-supplied FFTTAB prepared by DFFTRI for the same N.
void DF2TRF(const int& N, const double* SEQ, double* COEF, double* FFTTAB);
void DF2TRB(const int& N, const double* COEF, double* SEQ, double* FFTTAB);

// Level-1 copy; a negative stride takes the elements from the far end.
void DCOPY(const int& N, const double* SX, const int& INCX, double* SY, const int& INCY);

} // namespace velmar::numeric
