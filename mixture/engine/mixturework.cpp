#include "mixture/engine/mixturework.h"

#include "core/precisecubic.h"

#include <algorithm>

namespace calvex::mixture {
MixtureCubic solveMixtureCubic(float c1, float c2, float c3)
{
    MixtureCubic cubic;
    const double a = c1;
    const double b = c2;
    const double c = c3;
    cubic.p = single((3.0 * b - a * a) / 3.0);
    cubic.q = single((2.0 * a * a * a - 9.0 * a * b + 27.0 * c) / 27.0);
    const double p = cubic.p;
    const double q = cubic.q;
    cubic.D = single((q / 2.0) * (q / 2.0) + (p / 3.0) * (p / 3.0) * (p / 3.0));

    // The roots in the order of the trigonometric form: largest, smallest, middle.
    const core::PreciseRoots precise = core::preciseRoots(a, b, c);
    cubic.roots = {single(precise.z[2]), single(precise.z[0]), single(precise.z[1])};
    return cubic;
}

void ComputeComponentParams(MixtureWork& w, const MixtureEngineTraits& equation)
{
    const double R = engineGasConstant;
    for (int i = 1; i <= w.n; ++i) {
        const double Tc = at(w.Tc, i);
        const double Pc = at(w.Pc, i);
        w.ac[i] = single(quotient(equation.omegaA * (Tc * R) * (Tc * R), Pc));
        w.bi[i] = single(quotient(equation.omegaB * R * Tc, Pc));
        w.Tr = single(quotient(w.Twork, Tc));
        const float omega = equation.readsAcentricFactor ? at(w.omega, i) : 0.0f;
        w.ai[i] = equation.attraction(w.ac[i], omega, w.Tr);
    }
    if (w.n != 1) {
        for (int i = 1; i <= w.n - 1; ++i)
            for (int j = i + 1; j <= w.n; ++j) {
                w.aij[i][j] = single((1.0 - w.kij[i][j]) * squareRoot(double(w.ai[i]) * w.ai[j]));
                w.aij[j][i] = w.aij[i][j];
            }
    }
}

void SolveMixtureZ(MixtureWork& w, const MixtureEngineTraits& equation)
{
    const double R = engineGasConstant;
    const int n = w.n;
    if (n <= 1) {
        w.am = w.ai[1];
        w.bm = w.bi[1];
    } else {
        for (int j = 1; j <= n; ++j)
            w.Sa[j] = 0;
        w.am = 0;
        w.bm = 0;
        for (int i = 1; i <= n; ++i) {
            const double xi = w.xtrial[i];
            w.bm = single(w.bm + xi * w.bi[i]);
            for (int j = 1; j <= n; ++j) {
                if (j != i) {
                    w.am = single(w.am + xi * w.xtrial[j] * w.aij[i][j]);
                    w.Sa[j] = single(w.Sa[j] + xi * w.aij[i][j]);
                } else {
                    w.am = single(w.am + xi * xi * w.ai[i]);
                    w.Sa[j] = single(w.Sa[j] + double(w.xtrial[j]) * w.ai[j]);
                }
            }
        }
    }

    const double RT = R * w.Twork;
    w.A = single(quotient(double(w.am) * w.Pwork, RT * RT));
    w.B = single(quotient(double(w.bm) * w.Pwork, RT));
    const auto coefficients = equation.cubicCoefficients(w.A, w.B);
    for (int k = 0; k < 3; ++k)
        w.coef[k + 1] = coefficients[k];

    const MixtureCubic cubic = solveMixtureCubic(w.coef[1], w.coef[2], w.coef[3]);
    w.pcub = cubic.p;
    w.qcub = cubic.q;
    w.Dcub = cubic.D;
    for (int k = 0; k < 3; ++k)
        w.Zroot[k + 1] = cubic.roots[k];

    w.ZV = std::max({w.Zroot[1], w.Zroot[2], w.Zroot[3]});
    w.ZL = std::min({w.Zroot[1], w.Zroot[2], w.Zroot[3]});
    // A liquid volume below the covolume is not accepted: the vapour root stands for both phases.
    if (quotient(double(w.ZL) * R * w.Twork, w.Pwork) < w.bm)
        w.ZL = w.ZV;

    if (w.fugflag == 0)
        return;

    w.Zf = w.liquidflag != 0 ? w.ZL : w.ZV;
    const double Z = w.Zf;
    const double L = equation.logTerm(w.Zf, w.B);
    const double F = equation.logFactor(w.A, w.B);
    const double lnZminusB = logOfAbs(Z - w.B);
    if (n <= 1) {
        w.phi[1] = single(exponential((Z - 1.0) - lnZminusB - L * F));
        w.fug[1] = single(double(w.Pwork) * w.phi[1]);
        return;
    }
    for (int k = 1; k <= n; ++k) {
        const double bRatio = quotient(w.bi[k], w.bm);
        const float G = single(quotient(2.0 * w.Sa[k], w.am) - bRatio);
        w.phi[k] = single(exponential((Z - 1.0) * bRatio - lnZminusB - L * F * G));
        w.fug[k] = single(double(w.Pwork) * w.xtrial[k] * w.phi[k]);
    }
}

} // namespace calvex::mixture
