#include "mixture/engine/eosequation.h"

#include "mixture/engine/eosarithmetic.h"

namespace calvex::mixture::eos::detail {
namespace {

// 0.08664 R and 0.0778 R, kept as the single constants the covolumes are written with.
constexpr double rkCovolume = 0.72032496;
constexpr double prCovolume = 0.6468292;
constexpr double rkAttraction = 0.42748;
constexpr double prAttraction = 0.45724;

float alphaOf(float slope, float T, float Tc)
{
    const double term = 1.0 + slope * (1.0 - root(quot(T, Tc)));
    return single(term * term);
}

} // namespace

float alphaSlope(Equation equation, float omega)
{
    const double w = omega;
    switch (equation) {
    case Equation::Soave:
        return single(0.48 + 1.574 * w - 0.176 * w * w);
    case Equation::PengRobinson:
        return single(0.37464 + 1.54226 * w - 0.26992 * w * w);
    case Equation::VanDerWaals:
    case Equation::RedlichKwong:
        break;
    }
    return 0.0f;
}

ComponentParameters componentParameters(Equation equation, float Tc, float Pc, float omega, float T)
{
    const double tc = Tc;
    ComponentParameters p;
    switch (equation) {
    case Equation::VanDerWaals:
        p.a = single(quot(27.0 * R * R * tc * tc, 64.0 * Pc));
        p.b = single(quot(R * tc, 8.0 * Pc));
        break;
    case Equation::RedlichKwong:
        p.a = single(quot(rkAttraction * R * R * power(tc, 2.5), Pc * root(T)));
        p.b = single(quot(rkCovolume * tc, Pc));
        break;
    case Equation::Soave:
        p.alpha = alphaOf(alphaSlope(equation, omega), T, Tc);
        p.a = single(quot(rkAttraction * (R * tc) * (R * tc) * p.alpha, Pc));
        p.b = single(quot(rkCovolume * tc, Pc));
        break;
    case Equation::PengRobinson:
        p.alpha = alphaOf(alphaSlope(equation, omega), T, Tc);
        p.a = single(quot(prAttraction * (R * tc) * (R * tc) * p.alpha, Pc));
        p.b = single(quot(prCovolume * tc, Pc));
        break;
    }
    return p;
}

void fillParameters(Equation equation, const MixtureState& state, float T, SlotArray& a, SlotArray& b,
                    SlotArray* alpha)
{
    for (int i = 0; i < state.nos; ++i) {
        const int k = slot(i);
        const ComponentParameters p = componentParameters(equation, state.Tc[k], state.Pc[k], state.omega[k], T);
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
        const int sj = slot(j);
        for (int k = 0; k < state.nos; ++k) {
            const int sk = slot(k);
            const double y = static_cast<double>(state.y[sk]) * state.y[sj];
            m.am = single(m.am + y * root(static_cast<double>(a[sk]) * a[sj]));
        }
        m.bm = single(m.bm + static_cast<double>(state.y[sj]) * b[sj]);
    }
    return m;
}

float dimensionlessA(float am, float P, float T)
{
    const double rt = R * T;
    return single(quot(static_cast<double>(am) * P, rt * rt));
}

float dimensionlessB(float bm, float P, float T) { return single(quot(static_cast<double>(bm) * P, R * T)); }

Cubic cubic(Equation equation, float A, float B)
{
    const double a = A;
    const double b = B;
    switch (equation) {
    case Equation::VanDerWaals:
        return {single(-1.0 - b), A, single(-a * b)};
    case Equation::RedlichKwong:
    case Equation::Soave:
        return {-1.0f, single(a - b - b * b), single(-a * b)};
    case Equation::PengRobinson:
        return {single(b - 1.0), single(a - 2.0 * b - 3.0 * b * b), single(b * b - a * b + b * b * b)};
    }
    return {};
}

std::optional<Equation> equationOf(std::int16_t optionno)
{
    switch (optionno) {
    case 1:
        return Equation::VanDerWaals;
    case 2:
        return Equation::PengRobinson;
    case 3:
        return Equation::RedlichKwong;
    case 4:
        return Equation::Soave;
    default:
        return std::nullopt;
    }
}

double cubicLog(Equation equation, double Z, double B)
{
    if (equation == Equation::PengRobinson)
        return lnAbs(quot(Z + (1.0 + sqrt2) * B, Z + (1.0 - sqrt2) * B));
    return lnAbs(quot(Z + B, Z));
}

double logCoefficient(Equation equation, float am, float bm, float T)
{
    const double denominator = static_cast<double>(bm) * R * T;
    if (equation == Equation::PengRobinson)
        return quot(am, 2.0 * sqrt2 * denominator);
    return quot(am, denominator);
}

double lnPhi(Equation equation, double Z, float B, double ratio, double attraction, double coefficient)
{
    return finite(ratio * (Z - 1.0) - lnAbs(Z - B) + attraction * coefficient * cubicLog(equation, Z, B));
}

} // namespace calvex::mixture::eos::detail
