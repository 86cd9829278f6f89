#pragma once

// The engine's complex number: a plain pair of doubles, laid out as the numerical
// routines expect (real part, then imaginary part, 16 bytes).

namespace velmar {

struct Complex {
    double re = 0.0;
    double im = 0.0;
};

inline Complex ComplexFromParts(double re, double im)
{
    return Complex{re, im};
}

// Textbook quotient without scaling; a zero divisor gives NaN in both parts, which
// callers rely on to carry a degenerate element into the nodal system unchanged.
inline Complex ComplexDivide(Complex a, Complex b)
{
    const double d = b.re * b.re + b.im * b.im;
    return Complex{(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}

inline Complex ComplexMultiply(Complex a, Complex b)
{
    return Complex{a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}

} // namespace velmar
