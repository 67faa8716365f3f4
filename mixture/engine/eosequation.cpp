#include "mixture/engine/eosequation.h"


namespace calvex::mixture::eos::detail {

float alphaSlope(Equation equation, float omega, float Tc, float T)
{
    core::ComponentConstants component;
    component.Tc = Tc;
    component.Pc = 1.0f; // any nonzero value: only m (kappa) is wanted
    component.omega = omega;
    return core::detail::parametersAt(equation, component, T).m;
}

void fillParameters(Equation equation, const MixtureState& state, float T, SlotArray& a, SlotArray& b,
                    SlotArray* alpha)
{
    for (int i = 0; i < state.nos; ++i) {
        const std::size_t k = slot(i);
        core::ComponentConstants component;
        component.Tc = state.Tc[k];
        component.Pc = state.Pc[k];
        component.omega = state.omega[k];
        const core::detail::EquationParameters p = core::detail::parametersAt(equation, component, T);
        a[k] = p.a;
        b[k] = p.b;
        if (alpha)
            (*alpha)[k] = p.alpha;
    }
}

OneFluid mix(const MixtureState& state, const SlotArray& a, const SlotArray& b)
{
    OneFluid m;
    for (int j = 0; j < state.nos; ++j) {
        const std::size_t sj = slot(j);
        for (int k = 0; k < state.nos; ++k) {
            const std::size_t sk = slot(k);
            const double y = static_cast<double>(state.y[sk]) * state.y[sj];
            m.am = single(m.am + y * squareRoot(static_cast<double>(a[sk]) * a[sj]));
        }
        m.bm = single(m.bm + static_cast<double>(state.y[sj]) * b[sj]);
    }
    return m;
}

float dimensionlessA(float am, float P, float T)
{
    const double rt = R * T;
    return single(quotient(static_cast<double>(am) * P, rt * rt));
}

float dimensionlessB(float bm, float P, float T) { return single(quotient(static_cast<double>(bm) * P, R * T)); }

Cubic cubic(Equation equation, float A, float B)
{
    const double a = A;
    const double b = B;
    switch (equation) {
    case Equation::VanDerWaals:
        return {single(-1.0 - b), A, single(-a * b)};
    case Equation::RedlichKwong:
    case Equation::SoaveRedlichKwong:
        return {-1.0f, single(a - b - b * b), single(-a * b)};
    case Equation::PengRobinson:
        return {single(b - 1.0), single(a - 2.0 * b - 3.0 * b * b), single(b * b - a * b + b * b * b)};
    }
    return {};
}

double cubicLog(Equation equation, double Z, double B)
{
    if (equation == Equation::PengRobinson)
        return logOfAbs(quotient(Z + (1.0 + sqrt2) * B, Z + (1.0 - sqrt2) * B));
    return logOfAbs(quotient(Z + B, Z));
}

double logCoefficient(Equation equation, float am, float bm, float T)
{
    const double denominator = static_cast<double>(bm) * R * T;
    if (equation == Equation::PengRobinson)
        return quotient(am, 2.0 * sqrt2 * denominator);
    return quotient(am, denominator);
}

double lnPhi(Equation equation, double Z, float B, double ratio, double attraction, double coefficient)
{
    return finite(ratio * (Z - 1.0) - logOfAbs(Z - B) + attraction * coefficient * cubicLog(equation, Z, B));
}

} // namespace calvex::mixture::eos::detail
