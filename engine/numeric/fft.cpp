#include "engine/numeric/fft.h"

#include "engine/numeric/errors.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace velmar::numeric {

namespace {

// Full double value of 2 pi, used for every twiddle and rotation angle.
constexpr double kTwoPi = 6.283185307179586;
// Slots of the factor table after N and the factor count.
constexpr int kMaxFactors = 13;

using detail::popRoutine;
using detail::pushRoutine;
using detail::stopRoutine;

constexpr const char* kLengthText = "The length of the sequence N = %(I1).  It must be at least 1.";

int tableInt(double value) { return static_cast<int>(std::lround(value)); }

// Index views over Fortran-ordered 3-d arrays: a(i, j, k) with extents (d1, d2, *).
struct View3 {
    double* p;
    int d1;
    int d2;
    double& operator()(int i, int j, int k) const
    {
        return p[(i - 1) + static_cast<std::ptrdiff_t>(d1) * ((j - 1) + static_cast<std::ptrdiff_t>(d2) * (k - 1))];
    }
};

struct View2 {
    double* p;
    int d1;
    double& operator()(int i, int j) const { return p[(i - 1) + static_cast<std::ptrdiff_t>(d1) * (j - 1)]; }
};

// Twiddle factor j of one table, 1-based like the passes index it.
struct Twiddle {
    const double* p;
    double operator()(int j) const { return p[j - 1]; }
};

// Factors n into trial divisors 4, 2, 3, 5, 7, 9, ...; a factor 2 found later is moved
// to the front. Returns false, writing nothing, when more than 13 factors are needed.
bool RFFTFACTOR(int n, double* wa, double* ifac)
{
    std::vector<double> factors;
    int remaining = n;
    int trial = 0;
    for (int j = 1; remaining != 1; ++j) {
        trial = j <= 4 ? (j == 1 ? 4 : j == 2 ? 2 : j == 3 ? 3 : 5) : trial + 2;
        while (remaining % trial == 0) {
            factors.push_back(trial);
            remaining /= trial;
            if (trial == 2 && factors.size() > 1) {
                const int count = static_cast<int>(factors.size()) - 1;
                DCOPY(count, factors.data(), -1, factors.data() + 1, -1);
                factors[0] = 2;
            }
            if (remaining == 1)
                break;
        }
    }
    const int nf = static_cast<int>(factors.size());
    if (nf > kMaxFactors)
        return false;
    ifac[0] = n;
    ifac[1] = nf;
    for (int i = 0; i < nf; ++i)
        ifac[2 + i] = factors[static_cast<std::size_t>(i)];

    const double argh = kTwoPi / n;
    int is = 0;
    int l1 = 1;
    for (int k1 = 0; k1 < nf - 1; ++k1) {
        const int ip = tableInt(ifac[2 + k1]);
        const int l2 = l1 * ip;
        const int ido = n / l2;
        for (int j = 1; j < ip; ++j) {
            const double argld = static_cast<double>(j * l1) * argh;
            double angle = 0.0;
            int i = is;
            for (int ii = 3; ii <= ido; ii += 2) {
                angle += argld;
                wa[i] = std::cos(angle);
                wa[i + 1] = std::sin(angle);
                i += 2;
            }
            is += ido;
        }
        l1 = l2;
    }
    return true;
}

// ---- forward passes: cc(ido, l1, ip) -> ch(ido, ip, l1) ----

void RFFTF3(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2)
{
    constexpr double taur = -0.5;
    constexpr double taui = 0.8660254037844386;
    const View3 cc{ccp, ido, l1};
    const View3 ch{chp, ido, 3};
    const Twiddle wa1{w1}, wa2{w2};
    for (int k = 1; k <= l1; ++k) {
        const double cr2 = cc(1, k, 2) + cc(1, k, 3);
        ch(1, 1, k) = cc(1, k, 1) + cr2;
        ch(1, 3, k) = taui * (cc(1, k, 3) - cc(1, k, 2));
        ch(ido, 2, k) = cc(1, k, 1) + taur * cr2;
    }
    if (ido == 1)
        return;
    const int idp2 = ido + 2;
    for (int k = 1; k <= l1; ++k) {
        for (int i = 3; i <= ido; i += 2) {
            const int ic = idp2 - i;
            const double dr2 = wa1(i - 2) * cc(i - 1, k, 2) + wa1(i - 1) * cc(i, k, 2);
            const double di2 = wa1(i - 2) * cc(i, k, 2) - wa1(i - 1) * cc(i - 1, k, 2);
            const double dr3 = wa2(i - 2) * cc(i - 1, k, 3) + wa2(i - 1) * cc(i, k, 3);
            const double di3 = wa2(i - 2) * cc(i, k, 3) - wa2(i - 1) * cc(i - 1, k, 3);
            const double cr2 = dr2 + dr3;
            const double ci2 = di2 + di3;
            ch(i - 1, 1, k) = cc(i - 1, k, 1) + cr2;
            ch(i, 1, k) = cc(i, k, 1) + ci2;
            const double tr2 = cc(i - 1, k, 1) + taur * cr2;
            const double ti2 = cc(i, k, 1) + taur * ci2;
            const double tr3 = taui * (di2 - di3);
            const double ti3 = taui * (dr3 - dr2);
            ch(i - 1, 3, k) = tr2 + tr3;
            ch(ic - 1, 2, k) = tr2 - tr3;
            ch(i, 3, k) = ti2 + ti3;
            ch(ic, 2, k) = ti3 - ti2;
        }
    }
}

void RFFTF4(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2, const double* w3)
{
    constexpr double hsqt2 = 0.7071067811865476;
    const View3 cc{ccp, ido, l1};
    const View3 ch{chp, ido, 4};
    const Twiddle wa1{w1}, wa2{w2}, wa3{w3};
    for (int k = 1; k <= l1; ++k) {
        const double tr1 = cc(1, k, 2) + cc(1, k, 4);
        const double tr2 = cc(1, k, 1) + cc(1, k, 3);
        ch(1, 1, k) = tr1 + tr2;
        ch(ido, 4, k) = tr2 - tr1;
        ch(ido, 2, k) = cc(1, k, 1) - cc(1, k, 3);
        ch(1, 3, k) = cc(1, k, 4) - cc(1, k, 2);
    }
    if (ido < 2)
        return;
    if (ido > 2) {
        const int idp2 = ido + 2;
        for (int k = 1; k <= l1; ++k) {
            for (int i = 3; i <= ido; i += 2) {
                const int ic = idp2 - i;
                const double cr2 = wa1(i - 2) * cc(i - 1, k, 2) + wa1(i - 1) * cc(i, k, 2);
                const double ci2 = wa1(i - 2) * cc(i, k, 2) - wa1(i - 1) * cc(i - 1, k, 2);
                const double cr3 = wa2(i - 2) * cc(i - 1, k, 3) + wa2(i - 1) * cc(i, k, 3);
                const double ci3 = wa2(i - 2) * cc(i, k, 3) - wa2(i - 1) * cc(i - 1, k, 3);
                const double cr4 = wa3(i - 2) * cc(i - 1, k, 4) + wa3(i - 1) * cc(i, k, 4);
                const double ci4 = wa3(i - 2) * cc(i, k, 4) - wa3(i - 1) * cc(i - 1, k, 4);
                const double tr1 = cr2 + cr4;
                const double tr4 = cr4 - cr2;
                const double ti1 = ci2 + ci4;
                const double ti4 = ci2 - ci4;
                const double ti2 = cc(i, k, 1) + ci3;
                const double ti3 = cc(i, k, 1) - ci3;
                const double tr2 = cc(i - 1, k, 1) + cr3;
                const double tr3 = cc(i - 1, k, 1) - cr3;
                ch(i - 1, 1, k) = tr1 + tr2;
                ch(ic - 1, 4, k) = tr2 - tr1;
                ch(i, 1, k) = ti1 + ti2;
                ch(ic, 4, k) = ti1 - ti2;
                ch(i - 1, 3, k) = ti4 + tr3;
                ch(ic - 1, 2, k) = tr3 - ti4;
                ch(i, 3, k) = tr4 + ti3;
                ch(ic, 2, k) = tr4 - ti3;
            }
        }
        if (ido % 2 == 1)
            return;
    }
    for (int k = 1; k <= l1; ++k) {
        const double ti1 = -hsqt2 * (cc(ido, k, 2) + cc(ido, k, 4));
        const double tr1 = hsqt2 * (cc(ido, k, 2) - cc(ido, k, 4));
        ch(ido, 1, k) = tr1 + cc(ido, k, 1);
        ch(ido, 3, k) = cc(ido, k, 1) - tr1;
        ch(1, 2, k) = ti1 - cc(ido, k, 3);
        ch(1, 4, k) = ti1 + cc(ido, k, 3);
    }
}

constexpr double kTr11 = 0.30901699437494745;  // cos(2 pi / 5)
constexpr double kTi11 = 0.9510565162951535;   // sin(2 pi / 5)
constexpr double kTr12 = -0.8090169943749475;  // cos(4 pi / 5)
constexpr double kTi12 = 0.5877852522924731;   // sin(4 pi / 5)

void RFFTF5(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2, const double* w3,
            const double* w4)
{
    const View3 cc{ccp, ido, l1};
    const View3 ch{chp, ido, 5};
    const Twiddle wa1{w1}, wa2{w2}, wa3{w3}, wa4{w4};
    for (int k = 1; k <= l1; ++k) {
        const double cr2 = cc(1, k, 5) + cc(1, k, 2);
        const double ci5 = cc(1, k, 5) - cc(1, k, 2);
        const double cr3 = cc(1, k, 4) + cc(1, k, 3);
        const double ci4 = cc(1, k, 4) - cc(1, k, 3);
        ch(1, 1, k) = cc(1, k, 1) + cr2 + cr3;
        ch(ido, 2, k) = cc(1, k, 1) + kTr11 * cr2 + kTr12 * cr3;
        ch(1, 3, k) = kTi11 * ci5 + kTi12 * ci4;
        ch(ido, 4, k) = cc(1, k, 1) + kTr12 * cr2 + kTr11 * cr3;
        ch(1, 5, k) = kTi12 * ci5 - kTi11 * ci4;
    }
    if (ido == 1)
        return;
    const int idp2 = ido + 2;
    for (int k = 1; k <= l1; ++k) {
        for (int i = 3; i <= ido; i += 2) {
            const int ic = idp2 - i;
            const double dr2 = wa1(i - 2) * cc(i - 1, k, 2) + wa1(i - 1) * cc(i, k, 2);
            const double di2 = wa1(i - 2) * cc(i, k, 2) - wa1(i - 1) * cc(i - 1, k, 2);
            const double dr3 = wa2(i - 2) * cc(i - 1, k, 3) + wa2(i - 1) * cc(i, k, 3);
            const double di3 = wa2(i - 2) * cc(i, k, 3) - wa2(i - 1) * cc(i - 1, k, 3);
            const double dr4 = wa3(i - 2) * cc(i - 1, k, 4) + wa3(i - 1) * cc(i, k, 4);
            const double di4 = wa3(i - 2) * cc(i, k, 4) - wa3(i - 1) * cc(i - 1, k, 4);
            const double dr5 = wa4(i - 2) * cc(i - 1, k, 5) + wa4(i - 1) * cc(i, k, 5);
            const double di5 = wa4(i - 2) * cc(i, k, 5) - wa4(i - 1) * cc(i - 1, k, 5);
            const double cr2 = dr2 + dr5;
            const double ci5 = dr5 - dr2;
            const double cr5 = di2 - di5;
            const double ci2 = di2 + di5;
            const double cr3 = dr3 + dr4;
            const double ci4 = dr4 - dr3;
            const double cr4 = di3 - di4;
            const double ci3 = di3 + di4;
            ch(i - 1, 1, k) = cc(i - 1, k, 1) + cr2 + cr3;
            ch(i, 1, k) = cc(i, k, 1) + ci2 + ci3;
            const double tr2 = cc(i - 1, k, 1) + kTr11 * cr2 + kTr12 * cr3;
            const double ti2 = cc(i, k, 1) + kTr11 * ci2 + kTr12 * ci3;
            const double tr3 = cc(i - 1, k, 1) + kTr12 * cr2 + kTr11 * cr3;
            const double ti3 = cc(i, k, 1) + kTr12 * ci2 + kTr11 * ci3;
            const double tr5 = kTi11 * cr5 + kTi12 * cr4;
            const double ti5 = kTi11 * ci5 + kTi12 * ci4;
            const double tr4 = kTi12 * cr5 - kTi11 * cr4;
            const double ti4 = kTi12 * ci5 - kTi11 * ci4;
            ch(i - 1, 3, k) = tr2 + tr5;
            ch(ic - 1, 2, k) = tr2 - tr5;
            ch(i, 3, k) = ti2 + ti5;
            ch(ic, 2, k) = ti5 - ti2;
            ch(i - 1, 5, k) = tr3 + tr4;
            ch(ic - 1, 4, k) = tr3 - tr4;
            ch(i, 5, k) = ti3 + ti4;
            ch(ic, 4, k) = ti4 - ti3;
        }
    }
}

// General odd factor. Reads c1 (= cc), uses ch as scratch and leaves the result in cc;
// with ido = 1 the input is read from ch instead.
// The rotations shared by both general passes: for l = 2 .. (ip+1)/2, to(:, l) and to(:, ip+2-l)
// take the cosine and sine sums of the columns of from, the angles built up by running products
// of one rotation by 2 pi / ip.
void combineRotations(const View2& from, const View2& to, int ip, int idl1, double dcp, double dsp)
{
    const int ipph = (ip + 1) / 2;
    const int ipp2 = ip + 2;
    double ar1 = 1.0;
    double ai1 = 0.0;
    for (int l = 2; l <= ipph; ++l) {
        const int lc = ipp2 - l;
        const double ar1h = dcp * ar1 - dsp * ai1;
        ai1 = dcp * ai1 + dsp * ar1;
        ar1 = ar1h;
        for (int ik = 1; ik <= idl1; ++ik) {
            to(ik, l) = from(ik, 1) + ar1 * from(ik, 2);
            to(ik, lc) = ai1 * from(ik, ip);
        }
        const double dc2 = ar1;
        const double ds2 = ai1;
        double ar2 = ar1;
        double ai2 = ai1;
        for (int j = 3; j <= ipph; ++j) {
            const int jc = ipp2 - j;
            const double ar2h = dc2 * ar2 - ds2 * ai2;
            ai2 = dc2 * ai2 + ds2 * ar2;
            ar2 = ar2h;
            for (int ik = 1; ik <= idl1; ++ik) {
                to(ik, l) += ar2 * from(ik, j);
                to(ik, lc) += ai2 * from(ik, jc);
            }
        }
    }
}

void RFFTFGEN(int ido, int ip, int l1, int idl1, double* ccp, double* chp, const double* wap)
{
    const double arg = kTwoPi / ip;
    const double dcp = std::cos(arg);
    const double dsp = std::sin(arg);
    const int ipph = (ip + 1) / 2;
    const int ipp2 = ip + 2;
    const int idp2 = ido + 2;
    const View3 cc{ccp, ido, ip};
    const View3 c1{ccp, ido, l1};
    const View2 c2{ccp, idl1};
    const View3 ch{chp, ido, l1};
    const View2 ch2{chp, idl1};
    const Twiddle wa{wap};

    if (ido == 1) {
        for (int ik = 1; ik <= idl1; ++ik)
            c2(ik, 1) = ch2(ik, 1);
    } else {
        for (int ik = 1; ik <= idl1; ++ik)
            ch2(ik, 1) = c2(ik, 1);
        for (int j = 2; j <= ip; ++j)
            for (int k = 1; k <= l1; ++k)
                ch(1, k, j) = c1(1, k, j);
        int is = -ido;
        for (int j = 2; j <= ip; ++j) {
            is += ido;
            for (int k = 1; k <= l1; ++k) {
                int idij = is;
                for (int i = 3; i <= ido; i += 2) {
                    idij += 2;
                    ch(i - 1, k, j) = wa(idij - 1) * c1(i - 1, k, j) + wa(idij) * c1(i, k, j);
                    ch(i, k, j) = wa(idij - 1) * c1(i, k, j) - wa(idij) * c1(i - 1, k, j);
                }
            }
        }
        for (int j = 2; j <= ipph; ++j) {
            const int jc = ipp2 - j;
            for (int k = 1; k <= l1; ++k) {
                for (int i = 3; i <= ido; i += 2) {
                    c1(i - 1, k, j) = ch(i - 1, k, j) + ch(i - 1, k, jc);
                    c1(i - 1, k, jc) = ch(i, k, j) - ch(i, k, jc);
                    c1(i, k, j) = ch(i, k, j) + ch(i, k, jc);
                    c1(i, k, jc) = ch(i - 1, k, jc) - ch(i - 1, k, j);
                }
            }
        }
    }
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        for (int k = 1; k <= l1; ++k) {
            c1(1, k, j) = ch(1, k, j) + ch(1, k, jc);
            c1(1, k, jc) = ch(1, k, jc) - ch(1, k, j);
        }
    }

    combineRotations(c2, ch2, ip, idl1, dcp, dsp);
    for (int j = 2; j <= ipph; ++j)
        for (int ik = 1; ik <= idl1; ++ik)
            ch2(ik, 1) += c2(ik, j);

    for (int k = 1; k <= l1; ++k)
        for (int i = 1; i <= ido; ++i)
            cc(i, 1, k) = ch(i, k, 1);
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        const int j2 = j + j;
        for (int k = 1; k <= l1; ++k) {
            cc(ido, j2 - 2, k) = ch(1, k, j);
            cc(1, j2 - 1, k) = ch(1, k, jc);
        }
    }
    if (ido == 1)
        return;
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        const int j2 = j + j;
        for (int k = 1; k <= l1; ++k) {
            for (int i = 3; i <= ido; i += 2) {
                const int ic = idp2 - i;
                cc(i - 1, j2 - 1, k) = ch(i - 1, k, j) + ch(i - 1, k, jc);
                cc(ic - 1, j2 - 2, k) = ch(i - 1, k, j) - ch(i - 1, k, jc);
                cc(i, j2 - 1, k) = ch(i, k, j) + ch(i, k, jc);
                cc(ic, j2 - 2, k) = ch(i, k, jc) - ch(i, k, j);
            }
        }
    }
}

// ---- backward passes: cc(ido, ip, l1) -> ch(ido, l1, ip) ----

void RFFTB3(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2)
{
    constexpr double taur = -0.5;
    constexpr double taui = 0.8660254037844386;
    const View3 cc{ccp, ido, 3};
    const View3 ch{chp, ido, l1};
    const Twiddle wa1{w1}, wa2{w2};
    for (int k = 1; k <= l1; ++k) {
        const double tr2 = cc(ido, 2, k) + cc(ido, 2, k);
        const double cr2 = cc(1, 1, k) + taur * tr2;
        ch(1, k, 1) = cc(1, 1, k) + tr2;
        const double ci3 = taui * (cc(1, 3, k) + cc(1, 3, k));
        ch(1, k, 2) = cr2 - ci3;
        ch(1, k, 3) = cr2 + ci3;
    }
    if (ido == 1)
        return;
    const int idp2 = ido + 2;
    for (int k = 1; k <= l1; ++k) {
        for (int i = 3; i <= ido; i += 2) {
            const int ic = idp2 - i;
            const double tr2 = cc(i - 1, 3, k) + cc(ic - 1, 2, k);
            const double cr2 = cc(i - 1, 1, k) + taur * tr2;
            ch(i - 1, k, 1) = cc(i - 1, 1, k) + tr2;
            const double ti2 = cc(i, 3, k) - cc(ic, 2, k);
            const double ci2 = cc(i, 1, k) + taur * ti2;
            ch(i, k, 1) = cc(i, 1, k) + ti2;
            const double cr3 = taui * (cc(i - 1, 3, k) - cc(ic - 1, 2, k));
            const double ci3 = taui * (cc(i, 3, k) + cc(ic, 2, k));
            const double dr2 = cr2 - ci3;
            const double dr3 = cr2 + ci3;
            const double di2 = ci2 + cr3;
            const double di3 = ci2 - cr3;
            ch(i - 1, k, 2) = wa1(i - 2) * dr2 - wa1(i - 1) * di2;
            ch(i, k, 2) = wa1(i - 2) * di2 + wa1(i - 1) * dr2;
            ch(i - 1, k, 3) = wa2(i - 2) * dr3 - wa2(i - 1) * di3;
            ch(i, k, 3) = wa2(i - 2) * di3 + wa2(i - 1) * dr3;
        }
    }
}

void RFFTB4(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2, const double* w3)
{
    constexpr double sqrt2 = 1.4142135623730951;
    const View3 cc{ccp, ido, 4};
    const View3 ch{chp, ido, l1};
    const Twiddle wa1{w1}, wa2{w2}, wa3{w3};
    for (int k = 1; k <= l1; ++k) {
        const double tr1 = cc(1, 1, k) - cc(ido, 4, k);
        const double tr2 = cc(1, 1, k) + cc(ido, 4, k);
        const double tr3 = cc(ido, 2, k) + cc(ido, 2, k);
        const double tr4 = cc(1, 3, k) + cc(1, 3, k);
        ch(1, k, 1) = tr2 + tr3;
        ch(1, k, 2) = tr1 - tr4;
        ch(1, k, 3) = tr2 - tr3;
        ch(1, k, 4) = tr1 + tr4;
    }
    if (ido < 2)
        return;
    if (ido > 2) {
        const int idp2 = ido + 2;
        for (int k = 1; k <= l1; ++k) {
            for (int i = 3; i <= ido; i += 2) {
                const int ic = idp2 - i;
                const double ti1 = cc(i, 1, k) + cc(ic, 4, k);
                const double ti2 = cc(i, 1, k) - cc(ic, 4, k);
                const double ti3 = cc(i, 3, k) - cc(ic, 2, k);
                const double tr4 = cc(i, 3, k) + cc(ic, 2, k);
                const double tr1 = cc(i - 1, 1, k) - cc(ic - 1, 4, k);
                const double tr2 = cc(i - 1, 1, k) + cc(ic - 1, 4, k);
                const double ti4 = cc(i - 1, 3, k) - cc(ic - 1, 2, k);
                const double tr3 = cc(i - 1, 3, k) + cc(ic - 1, 2, k);
                ch(i - 1, k, 1) = tr2 + tr3;
                const double cr3 = tr2 - tr3;
                ch(i, k, 1) = ti2 + ti3;
                const double ci3 = ti2 - ti3;
                const double cr2 = tr1 - tr4;
                const double cr4 = tr1 + tr4;
                const double ci2 = ti1 + ti4;
                const double ci4 = ti1 - ti4;
                ch(i - 1, k, 2) = wa1(i - 2) * cr2 - wa1(i - 1) * ci2;
                ch(i, k, 2) = wa1(i - 2) * ci2 + wa1(i - 1) * cr2;
                ch(i - 1, k, 3) = wa2(i - 2) * cr3 - wa2(i - 1) * ci3;
                ch(i, k, 3) = wa2(i - 2) * ci3 + wa2(i - 1) * cr3;
                ch(i - 1, k, 4) = wa3(i - 2) * cr4 - wa3(i - 1) * ci4;
                ch(i, k, 4) = wa3(i - 2) * ci4 + wa3(i - 1) * cr4;
            }
        }
        if (ido % 2 == 1)
            return;
    }
    for (int k = 1; k <= l1; ++k) {
        const double ti1 = cc(1, 2, k) + cc(1, 4, k);
        const double ti2 = cc(1, 4, k) - cc(1, 2, k);
        const double tr1 = cc(ido, 1, k) - cc(ido, 3, k);
        const double tr2 = cc(ido, 1, k) + cc(ido, 3, k);
        ch(ido, k, 1) = tr2 + tr2;
        ch(ido, k, 2) = sqrt2 * (tr1 - ti1);
        ch(ido, k, 3) = ti2 + ti2;
        ch(ido, k, 4) = -sqrt2 * (tr1 + ti1);
    }
}

void RFFTB5(int ido, int l1, double* ccp, double* chp, const double* w1, const double* w2, const double* w3,
            const double* w4)
{
    const View3 cc{ccp, ido, 5};
    const View3 ch{chp, ido, l1};
    const Twiddle wa1{w1}, wa2{w2}, wa3{w3}, wa4{w4};
    for (int k = 1; k <= l1; ++k) {
        const double ti5 = cc(1, 3, k) + cc(1, 3, k);
        const double ti4 = cc(1, 5, k) + cc(1, 5, k);
        const double tr2 = cc(ido, 2, k) + cc(ido, 2, k);
        const double tr3 = cc(ido, 4, k) + cc(ido, 4, k);
        ch(1, k, 1) = cc(1, 1, k) + tr2 + tr3;
        const double cr2 = cc(1, 1, k) + kTr11 * tr2 + kTr12 * tr3;
        const double cr3 = cc(1, 1, k) + kTr12 * tr2 + kTr11 * tr3;
        const double ci5 = kTi11 * ti5 + kTi12 * ti4;
        const double ci4 = kTi12 * ti5 - kTi11 * ti4;
        ch(1, k, 2) = cr2 - ci5;
        ch(1, k, 3) = cr3 - ci4;
        ch(1, k, 4) = cr3 + ci4;
        ch(1, k, 5) = cr2 + ci5;
    }
    if (ido == 1)
        return;
    const int idp2 = ido + 2;
    for (int k = 1; k <= l1; ++k) {
        for (int i = 3; i <= ido; i += 2) {
            const int ic = idp2 - i;
            const double ti5 = cc(i, 3, k) + cc(ic, 2, k);
            const double ti2 = cc(i, 3, k) - cc(ic, 2, k);
            const double ti4 = cc(i, 5, k) + cc(ic, 4, k);
            const double ti3 = cc(i, 5, k) - cc(ic, 4, k);
            const double tr5 = cc(i - 1, 3, k) - cc(ic - 1, 2, k);
            const double tr2 = cc(i - 1, 3, k) + cc(ic - 1, 2, k);
            const double tr4 = cc(i - 1, 5, k) - cc(ic - 1, 4, k);
            const double tr3 = cc(i - 1, 5, k) + cc(ic - 1, 4, k);
            ch(i - 1, k, 1) = cc(i - 1, 1, k) + tr2 + tr3;
            ch(i, k, 1) = cc(i, 1, k) + ti2 + ti3;
            const double cr2 = cc(i - 1, 1, k) + kTr11 * tr2 + kTr12 * tr3;
            const double ci2 = cc(i, 1, k) + kTr11 * ti2 + kTr12 * ti3;
            const double cr3 = cc(i - 1, 1, k) + kTr12 * tr2 + kTr11 * tr3;
            const double ci3 = cc(i, 1, k) + kTr12 * ti2 + kTr11 * ti3;
            const double cr5 = kTi11 * tr5 + kTi12 * tr4;
            const double ci5 = kTi11 * ti5 + kTi12 * ti4;
            const double cr4 = kTi12 * tr5 - kTi11 * tr4;
            const double ci4 = kTi12 * ti5 - kTi11 * ti4;
            const double dr3 = cr3 - ci4;
            const double dr4 = cr3 + ci4;
            const double di3 = ci3 + cr4;
            const double di4 = ci3 - cr4;
            const double dr5 = cr2 + ci5;
            const double dr2 = cr2 - ci5;
            const double di5 = ci2 - cr5;
            const double di2 = ci2 + cr5;
            ch(i - 1, k, 2) = wa1(i - 2) * dr2 - wa1(i - 1) * di2;
            ch(i, k, 2) = wa1(i - 2) * di2 + wa1(i - 1) * dr2;
            ch(i - 1, k, 3) = wa2(i - 2) * dr3 - wa2(i - 1) * di3;
            ch(i, k, 3) = wa2(i - 2) * di3 + wa2(i - 1) * dr3;
            ch(i - 1, k, 4) = wa3(i - 2) * dr4 - wa3(i - 1) * di4;
            ch(i, k, 4) = wa3(i - 2) * di4 + wa3(i - 1) * dr4;
            ch(i - 1, k, 5) = wa4(i - 2) * dr5 - wa4(i - 1) * di5;
            ch(i, k, 5) = wa4(i - 2) * di5 + wa4(i - 1) * dr5;
        }
    }
}

// General odd factor, backward. Reads cc, uses ch as scratch; the result is in cc
// (through c1) unless ido = 1, when it stays in ch.
void RFFTBGEN(int ido, int ip, int l1, int idl1, double* ccp, double* chp, const double* wap)
{
    const double arg = kTwoPi / ip;
    const double dcp = std::cos(arg);
    const double dsp = std::sin(arg);
    const int idp2 = ido + 2;
    const int ipp2 = ip + 2;
    const int ipph = (ip + 1) / 2;
    const View3 cc{ccp, ido, ip};
    const View3 c1{ccp, ido, l1};
    const View2 c2{ccp, idl1};
    const View3 ch{chp, ido, l1};
    const View2 ch2{chp, idl1};
    const Twiddle wa{wap};

    for (int k = 1; k <= l1; ++k)
        for (int i = 1; i <= ido; ++i)
            ch(i, k, 1) = cc(i, 1, k);
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        const int j2 = j + j;
        for (int k = 1; k <= l1; ++k) {
            ch(1, k, j) = cc(ido, j2 - 2, k) + cc(ido, j2 - 2, k);
            ch(1, k, jc) = cc(1, j2 - 1, k) + cc(1, j2 - 1, k);
        }
    }
    if (ido != 1) {
        for (int j = 2; j <= ipph; ++j) {
            const int jc = ipp2 - j;
            for (int k = 1; k <= l1; ++k) {
                for (int i = 3; i <= ido; i += 2) {
                    const int ic = idp2 - i;
                    ch(i - 1, k, j) = cc(i - 1, 2 * j - 1, k) + cc(ic - 1, 2 * j - 2, k);
                    ch(i - 1, k, jc) = cc(i - 1, 2 * j - 1, k) - cc(ic - 1, 2 * j - 2, k);
                    ch(i, k, j) = cc(i, 2 * j - 1, k) - cc(ic, 2 * j - 2, k);
                    ch(i, k, jc) = cc(i, 2 * j - 1, k) + cc(ic, 2 * j - 2, k);
                }
            }
        }
    }

    combineRotations(ch2, c2, ip, idl1, dcp, dsp);
    for (int j = 2; j <= ipph; ++j)
        for (int ik = 1; ik <= idl1; ++ik)
            ch2(ik, 1) += ch2(ik, j);
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        for (int k = 1; k <= l1; ++k) {
            ch(1, k, j) = c1(1, k, j) - c1(1, k, jc);
            ch(1, k, jc) = c1(1, k, j) + c1(1, k, jc);
        }
    }
    if (ido == 1)
        return;
    for (int j = 2; j <= ipph; ++j) {
        const int jc = ipp2 - j;
        for (int k = 1; k <= l1; ++k) {
            for (int i = 3; i <= ido; i += 2) {
                ch(i - 1, k, j) = c1(i - 1, k, j) - c1(i, k, jc);
                ch(i - 1, k, jc) = c1(i - 1, k, j) + c1(i, k, jc);
                ch(i, k, j) = c1(i, k, j) + c1(i - 1, k, jc);
                ch(i, k, jc) = c1(i, k, j) - c1(i - 1, k, jc);
            }
        }
    }
    for (int ik = 1; ik <= idl1; ++ik)
        c2(ik, 1) = ch2(ik, 1);
    for (int j = 2; j <= ip; ++j)
        for (int k = 1; k <= l1; ++k)
            c1(1, k, j) = ch(1, k, j);
    int is = -ido;
    for (int j = 2; j <= ip; ++j) {
        is += ido;
        for (int k = 1; k <= l1; ++k) {
            int idij = is;
            for (int i = 3; i <= ido; i += 2) {
                idij += 2;
                c1(i - 1, k, j) = wa(idij - 1) * ch(i - 1, k, j) - wa(idij) * ch(i, k, j);
                c1(i, k, j) = wa(idij - 1) * ch(i, k, j) + wa(idij) * ch(i - 1, k, j);
            }
        }
    }
}

// Forward driver: factors from the last to the first, alternating between c and ch.
void RFFTFWD(int n, double* c, double* ch, const double* wa, const double* ifac)
{
    auto radix2 = [](int ido, int l1, double* ccp, double* chp, const double* w1) {
        const View3 cc{ccp, ido, l1};
        const View3 out{chp, ido, 2};
        for (int k = 1; k <= l1; ++k) {
            out(1, 1, k) = cc(1, k, 1) + cc(1, k, 2);
            out(ido, 2, k) = cc(1, k, 1) - cc(1, k, 2);
        }
        if (ido < 2)
            return;
        if (ido > 2) {
            const int idp2 = ido + 2;
            for (int k = 1; k <= l1; ++k) {
                for (int i = 3; i <= ido; i += 2) {
                    const int ic = idp2 - i;
                    const double tr2 = w1[i - 3] * cc(i - 1, k, 2) + w1[i - 2] * cc(i, k, 2);
                    const double ti2 = w1[i - 3] * cc(i, k, 2) - w1[i - 2] * cc(i - 1, k, 2);
                    out(i, 1, k) = cc(i, k, 1) + ti2;
                    out(ic, 2, k) = ti2 - cc(i, k, 1);
                    out(i - 1, 1, k) = cc(i - 1, k, 1) + tr2;
                    out(ic - 1, 2, k) = cc(i - 1, k, 1) - tr2;
                }
            }
            if (ido % 2 == 1)
                return;
        }
        for (int k = 1; k <= l1; ++k) {
            out(1, 2, k) = -cc(ido, k, 2);
            out(ido, 1, k) = cc(ido, k, 1);
        }
    };

    const int nf = tableInt(ifac[1]);
    int na = 1;  // 1: the data are in c
    int l2 = n;
    int iw = n - 1;
    for (int k1 = 1; k1 <= nf; ++k1) {
        const int kh = nf - k1;
        const int ip = tableInt(ifac[kh + 2]);
        const int l1 = l2 / ip;
        const int ido = n / l2;
        const int idl1 = ido * l1;
        iw -= (ip - 1) * ido;
        na = 1 - na;
        double* const in = na == 0 ? c : ch;
        double* const out = na == 0 ? ch : c;
        const double* const w = wa + iw;
        if (ip == 4) {
            RFFTF4(ido, l1, in, out, w, w + ido, w + 2 * ido);
        } else if (ip == 2) {
            radix2(ido, l1, in, out, w);
        } else if (ip == 3) {
            RFFTF3(ido, l1, in, out, w, w + ido);
        } else if (ip == 5) {
            RFFTF5(ido, l1, in, out, w, w + ido, w + 2 * ido, w + 3 * ido);
        } else {
            if (ido == 1)
                na = 1 - na;
            if (na == 0) {
                RFFTFGEN(ido, ip, l1, idl1, c, ch, w);
                na = 1;
            } else {
                RFFTFGEN(ido, ip, l1, idl1, ch, c, w);
                na = 0;
            }
        }
        l2 = l1;
    }
    if (na == 1)
        return;
    DCOPY(n, ch, 1, c, 1);
}

// Backward driver: factors from the first to the last.
void RFFTBWD(int n, double* c, double* ch, const double* wa, const double* ifac)
{
    auto radix2 = [](int ido, int l1, double* ccp, double* chp, const double* w1) {
        const View3 cc{ccp, ido, 2};
        const View3 out{chp, ido, l1};
        for (int k = 1; k <= l1; ++k) {
            out(1, k, 1) = cc(1, 1, k) + cc(ido, 2, k);
            out(1, k, 2) = cc(1, 1, k) - cc(ido, 2, k);
        }
        if (ido < 2)
            return;
        if (ido > 2) {
            const int idp2 = ido + 2;
            for (int k = 1; k <= l1; ++k) {
                for (int i = 3; i <= ido; i += 2) {
                    const int ic = idp2 - i;
                    out(i - 1, k, 1) = cc(i - 1, 1, k) + cc(ic - 1, 2, k);
                    const double tr2 = cc(i - 1, 1, k) - cc(ic - 1, 2, k);
                    out(i, k, 1) = cc(i, 1, k) - cc(ic, 2, k);
                    const double ti2 = cc(i, 1, k) + cc(ic, 2, k);
                    out(i - 1, k, 2) = w1[i - 3] * tr2 - w1[i - 2] * ti2;
                    out(i, k, 2) = w1[i - 3] * ti2 + w1[i - 2] * tr2;
                }
            }
            if (ido % 2 == 1)
                return;
        }
        for (int k = 1; k <= l1; ++k) {
            out(ido, k, 1) = cc(ido, 1, k) + cc(ido, 1, k);
            out(ido, k, 2) = -(cc(1, 2, k) + cc(1, 2, k));
        }
    };

    const int nf = tableInt(ifac[1]);
    int na = 0;  // 0: the data are in c
    int l1 = 1;
    int iw = 0;
    for (int k1 = 1; k1 <= nf; ++k1) {
        const int ip = tableInt(ifac[k1 + 1]);
        const int l2 = ip * l1;
        const int ido = n / l2;
        const int idl1 = ido * l1;
        double* const in = na == 0 ? c : ch;
        double* const out = na == 0 ? ch : c;
        const double* const w = wa + iw;
        if (ip == 4) {
            RFFTB4(ido, l1, in, out, w, w + ido, w + 2 * ido);
            na = 1 - na;
        } else if (ip == 2) {
            radix2(ido, l1, in, out, w);
            na = 1 - na;
        } else if (ip == 3) {
            RFFTB3(ido, l1, in, out, w, w + ido);
            na = 1 - na;
        } else if (ip == 5) {
            RFFTB5(ido, l1, in, out, w, w + ido, w + 2 * ido, w + 3 * ido);
            na = 1 - na;
        } else {
            RFFTBGEN(ido, ip, l1, idl1, in, out, w);
            if (ido == 1)
                na = 1 - na;
        }
        l1 = l2;
        iw += (ip - 1) * ido;
    }
    if (na == 0)
        return;
    DCOPY(n, ch, 1, c, 1);
}

// A table not built by DFFTRI for this length would send the passes out of bounds.
bool tableMatches(int n, const double* fftTab)
{
    const double* const ifac = fftTab + 2 * static_cast<std::ptrdiff_t>(n);
    if (tableInt(ifac[0]) != n)
        return false;
    const int nf = tableInt(ifac[1]);
    if (nf < 0 || nf > kMaxFactors)
        return false;
    long long product = 1;
    for (int i = 0; i < nf; ++i) {
        const int factor = tableInt(ifac[2 + i]);
        if (factor < 2)
            return false;
        product *= factor;
        if (product > n)
            return false;
    }
    return product == n;
}

// Shared body of DF2TRF and DF2TRB: copy in, transform in place with the table.
void transformWithTable(const char* name, const int& n, const double* in, double* out, double* fftTab, bool forward)
{
    if (n < 1) {
        pushRoutine(name);
        return stopRoutine(name, 1, kLengthText, {n});
    }
    if (n > 1 && !tableMatches(n, fftTab)) {
        pushRoutine(name);
        return stopRoutine(name, 2, "The work array was not prepared by DFFTRI for the length N = %(I1).", {n});
    }
    DCOPY(n, in, 1, out, 1);
    if (n == 1)
        return;
    double* const scratch = fftTab;
    const double* const twiddles = fftTab + n;
    const double* const factors = fftTab + 2 * static_cast<std::ptrdiff_t>(n);
    if (forward)
        RFFTFWD(n, out, scratch, twiddles, factors);
    else
        RFFTBWD(n, out, scratch, twiddles, factors);
}

// Shared body of DFFTRF and DFFTRB: a fresh work array for every call.
void transformWithOwnTable(const char* name, const int& n, const double* in, double* out, bool forward)
{
    pushRoutine(name);
    if (n < 1)
        return stopRoutine(name, 1, kLengthText, {n});
    std::vector<double> fftTab;
    try {
        fftTab.resize(2 * static_cast<std::size_t>(n) + 15);
    } catch (const std::bad_alloc&) {
        return stopRoutine(name, 2,
                           "The required storage cannot be allocated.  The specified N may be too large, where N = "
                           "%(I1).",
                           {n});
    }
    DFFTRI(n, fftTab.data());
    if (forward)
        DF2TRF(n, in, out, fftTab.data());
    else
        DF2TRB(n, in, out, fftTab.data());
    popRoutine(name);
}

} // namespace

void DCOPY(const int& N, const double* SX, const int& INCX, double* SY, const int& INCY)
{
    if (N < 1)
        return;
    if (INCX == 1 && INCY == 1) {
        if (SX != SY)
            std::memmove(SY, SX, static_cast<std::size_t>(N) * sizeof(double));
        return;
    }
    std::ptrdiff_t ix = INCX >= 0 ? 0 : static_cast<std::ptrdiff_t>(N - 1) * -INCX;
    std::ptrdiff_t iy = INCY >= 0 ? 0 : static_cast<std::ptrdiff_t>(N - 1) * -INCY;
    for (int i = 0; i < N; ++i, ix += INCX, iy += INCY)
        SY[iy] = SX[ix];
}

void DFFTRI(const int& N, double* FFTTAB)
{
    if (N < 1) {
        pushRoutine("DFFTRI ");
        return stopRoutine("DFFTRI ", 1, kLengthText, {N});
    }
    if (N == 1)
        return;
    const std::ptrdiff_t n = N;
    if (!RFFTFACTOR(N, FFTTAB + n, FFTTAB + 2 * n)) {
        pushRoutine("DFFTRI ");
        return stopRoutine("DFFTRI ", 3,
                           "The length N = %(I1) has more than 13 factors, which the work array cannot hold.",
                           {N});
    }
}

void DF2TRF(const int& N, const double* SEQ, double* COEF, double* FFTTAB)
{
    transformWithTable("DF2TRF ", N, SEQ, COEF, FFTTAB, true);
}

void DF2TRB(const int& N, const double* COEF, double* SEQ, double* FFTTAB)
{
    transformWithTable("DF2TRB ", N, COEF, SEQ, FFTTAB, false);
}

void DFFTRF(const int& N, const double* SEQ, double* COEF) { transformWithOwnTable("DFFTRF ", N, SEQ, COEF, true); }

void DFFTRB(const int& N, const double* COEF, double* SEQ) { transformWithOwnTable("DFFTRB ", N, COEF, SEQ, false); }

} // namespace velmar::numeric
