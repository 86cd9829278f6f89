#include "engine/microstrip.h"

#include <cmath>

namespace velmar {
namespace detail {

// Constants in the exact rounded forms the published closed formulas were fitted with;
// results are compared with reference values to six digits, so they are kept as is.
constexpr double kPi = 3.14159265358979;
constexpr double kInvPi = 0.318309886183791;
constexpr double kInvLightSpeed = 3.335641597318678e-9; // s/m
constexpr double kTwoPiMinusSix = 0.28318530717958;
constexpr double kPiSquaredHalf = 4.934802200544669;

// Hammerstad-Jensen exponent a(u) of the single-strip effective permittivity.
double permittivityExponentA(double u)
{
    const double u4 = u * u * u * u;
    const double u52 = u * (1.0 / 52.0);
    const double u181 = u * (1.0 / 18.1);
    return 1.0 + (1.0 / 49.0) * std::log((u4 + u52 * u52) / (u4 + 0.432))
           + (1.0 / 18.7) * std::log(1.0 + u181 * u181 * u181);
}

double hammerstadPermittivity(double er, double u, double b)
{
    return (er + 1.0) / 2.0 + (er - 1.0) / 2.0 * std::pow(1.0 + 10.0 / u, -permittivityExponentA(u) * b);
}

} // namespace detail

double MicrostripEffPermittivity(const double& h, const double& w, const double& er)
{
    return (er + 1.0) * 0.5 + (er - 1.0) * 0.5 / std::sqrt(1.0 + 10.0 * h / w);
}

double MicrostripImpedance(const double& h, const double& w, const double& t, const double& eeff)
{
    double dw = 0.0;
    if (t > 0.0) {
        const double th = t / h;
        const double q = detail::kInvPi / (w / t + 1.1);
        dw = (t / detail::kPi) * std::log(4.0 * std::exp(1.0) / std::sqrt(th * th + q * q));
    }
    const double x = h / (w + dw);
    const double F = 6.0 + 0.283 * std::exp(-std::pow(30.7 * x, 0.753));
    return 60.0 / std::sqrt(eeff) * std::log(F * x + std::sqrt(1.0 + 4.0 * x * x));
}

double LineDelay(const double& len, const double& eeff)
{
    return len * std::sqrt(eeff) * detail::kInvLightSpeed;
}

void CoupledMicrostripParams(const double& h, const double& w, const double& s, const double& er,
                             double& Ze, double& eeffEven, double& Zo, double& eeffOdd)
{
    using std::exp;
    using std::log;
    using std::pow;
    using std::sqrt;

    const double u = w / h;
    const double g = s / h;
    const double erMean = (er + 1.0) / 2.0;

    // Single strip: Hammerstad-Jensen permittivity, Wheeler impedance (scales the
    // results) and Hammerstad-Jensen impedance (only inside the correction terms).
    const double b = 0.564 * pow((er - 0.9) / (er + 3.0), 0.053);
    const double eeff = detail::hammerstadPermittivity(er, u, b);

    const double X = 4.0 * h / w;
    const double K = (14.0 + 8.0 / er) / 11.0;
    const double KX = K * X;
    const double Zw = 42.4 / sqrt(er + 1.0)
                      * log(1.0 + X * (KX + sqrt(KX * KX + detail::kPiSquaredHalf * (er + 1.0) / er)));

    const double Fu = 6.0 + detail::kTwoPiMinusSix * exp(-pow(30.666 / u, 0.7528));
    const double Z0 = 60.0 / sqrt(eeff) * log(Fu / u + sqrt(1.0 + (2.0 / u) * (2.0 / u)));
    const double Z0Root = Z0 * sqrt(eeff);

    const double g2 = g * g;
    const double v = u * (20.0 + g2) / (10.0 + g2) + g * exp(-g);
    const double eeffE = detail::hammerstadPermittivity(er, v, b);

    const double a0 = 0.7287 * (eeff - erMean) * (1.0 - exp(-0.179 * u));
    const double b0 = 0.747 * er / (0.15 + er);
    const double c0 = b0 - (b0 - 0.207) * exp(-0.414 * u);
    const double d0 = 0.593 + 0.694 * exp(-0.562 * u);
    const double eeffO = (erMean + a0 - eeff) * exp(-c0 * pow(g, d0)) + eeff;

    const double Q1 = 0.8695 * pow(u, 0.194);
    const double Q2 = 1.0 + 0.7519 * g + 0.189 * pow(g, 2.31);
    const double Q3 = 0.1975 + pow(16.6 + pow(8.4 / g, 6.0), -0.387)
                      + (1.0 / 241.0) * log(pow(g, 10.0) / (1.0 + pow(g * (1.0 / 3.4), 10.0)));
    const double Q4 = (2.0 * Q1 / Q2) / (exp(-g) * pow(u, Q3) + (2.0 - exp(-g)) * pow(u, -Q3));
    const double zEven = Zw * sqrt(eeff / eeffE) / (1.0 - Z0Root * Q4 * (1.0 / 377.0));

    const double Q5 = 1.794 + 1.14 * log(1.0 + 0.638 / (g + 0.517 * pow(g, 2.43)));
    const double Q6 = 0.2305 + (1.0 / 281.3) * log(pow(g, 10.0) / (1.0 + pow(g * (1.0 / 5.8), 10.0)))
                      + (1.0 / 5.1) * log(1.0 + 0.598 * pow(g, 1.154));
    const double Q7 = (10.0 + 190.0 * g2) / (1.0 + 82.3 * g2 * g);
    const double Q8 = exp(-6.5 - 0.95 * log(g) - pow(g * (1.0 / 0.15), 5.0));
    const double Q9 = log(Q7) * (Q8 + 1.0 / 16.5);
    const double Q10 = Q4 - (Q5 / Q2) * exp(Q6 * log(u) * pow(u, -Q9));
    const double zOdd = Zw * sqrt(eeff / eeffO) / (1.0 - Z0Root * Q10 * (1.0 / 377.0));

    // Outputs are written last: callers may pass the same variable as an input and an output.
    eeffEven = eeffE;
    eeffOdd = eeffO;
    Ze = zEven;
    Zo = zOdd;
}

} // namespace velmar
