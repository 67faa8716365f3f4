// The isothermal flash: successive substitution on the K values around a Newton solution of the
// Rachford–Rice equation for the liquid fraction L.

#include "mixture/engine/mixturerun.h"
#include "services/numbers.h"
#include "services/ui.h"

#include <algorithm>
#include <cmath>

namespace calvex::mixture {
namespace {

using services::singleText;

constexpr int maxOuterPasses = 100;

// Outside the two-phase region the substitution settles on its trivial solution: the feed found
// twice, every K near 1, liquid and vapour on one root of the cubic. A liquid and the vapour in
// equilibrium with it differ in Z by far more than a tenth, except next to the mixture's critical
// point, where the split this scheme finds is unsure anyway.
constexpr double distinctPhases = 0.1;

} // namespace

void MixtureRun::flash()
{
    MixtureWork& w = m_work;
    w.fugflag = 1;
    if (w.n <= 1) {
        services::ui().message("Need 2 or more components to do an isothermal flash calculation");
        return;
    }
    const float tolerance = 1e-4f;
    w.zsum = 0;
    w.Twork = single(m_arguments.T);
    w.Pwork = single(m_arguments.P);
    normalise(m_arguments.z);
    ComputeComponentParams(w, m_equation);
    for (int i = 1; i <= w.n; ++i) {
        w.Psat[i] = switchedEstimate(i, w.Twork);
        w.K[i] = single(quotient(w.Psat[i], w.Pwork));
    }

    float L = 0.5f;
    float V = 0.5f;
    w.iter = 0;
    ComponentValues x{};
    ComponentValues y{};
    float balance = 0;
    for (;;) {
        ComponentValues oneMinusK{};
        for (int i = 1; i <= w.n; ++i)
            oneMinusK[i] = single(1.0 - w.K[i]);
        bool flatSlope = false;
        for (int steps = 1;; ++steps) {
            float sumX = 0;
            float sumY = 0;
            float slope = 0;
            for (int i = 1; i <= w.n; ++i) {
                const float d = single(double(L) * oneMinusK[i] + w.K[i]);
                x[i] = single(quotient(w.znorm[i], d));
                y[i] = single(double(x[i]) * w.K[i]);
                sumX = single(double(sumX) + x[i]);
                sumY = single(double(sumY) + y[i]);
                slope = single(slope + quotient(-double(x[i]) * oneMinusK[i] * oneMinusK[i], d));
            }
            balance = single(double(sumX) - sumY);
            if (steps > m_equation.flashNewtonSteps)
                break;
            if (std::fabs(balance) < tolerance)
                break;
            // Newton can take no step, and an L whose balance is off is no split.
            if (slope == 0 && m_equation.flashFlatSlopeIsNoFlash) {
                flatSlope = true;
                break;
            }
            // Where the start ratios all lie on one side of 1 the balance has no root, and an
            // unconfined step runs L off to where x and y vanish; at a bound the fugacity passes
            // can still carry the ratios to the equation's own and let L back in.
            L = std::clamp(single(L - quotient(balance, slope)), 0.0f, 1.0f);
            V = single(1.0 - L);
        }
        if (flatSlope)
            break;

        w.iter = single(w.iter + 1.0);
        if (w.iter > maxOuterPasses)
            break;
        phaseFugacities(x, true, w.fugA, w.ZA);
        phaseFugacities(y, false, w.fugB, w.ZB);
        int changed = 0;
        for (int i = 1; i <= w.n; ++i) {
            const float ratio = single(quotient(w.fugA[i], w.fugB[i]));
            if (std::fabs(double(ratio) - 1.0) >= tolerance) {
                w.K[i] = single(double(w.K[i]) * ratio);
                ++changed;
            }
        }
        if (changed > 0)
            continue;
        // L never leaves [0, 1]; held at a bound, it may still leave the phases off balance with
        // the feed, and that is no split.
        const bool twoPhases = std::fabs(double(w.ZB) - w.ZA) >= distinctPhases * std::fabs(w.ZB);
        if (std::fabs(balance) < tolerance && twoPhases) {
            writeFlashReport(L, V, x, y);
            return;
        }
        break;
    }
    services::ui().message("No flash calculation possibile at these conditions");
    w.flashok = 0;
}

void MixtureRun::writeFlashReport(float L, float V, const ComponentValues& x, const ComponentValues& y)
{
    const MixtureWork& w = m_work;
    writeTitle(1, "Isothermal flash calculation using the ", " equation of state");
    writeJoined(2, {"Temperature = ", singleText(w.Twork), " (K)"});
    writeJoined(3, {"Pressure    = ", singleText(w.Pwork), " (bar)"});
    write(4, "Component");
    write(5, "Feed molefraction");
    write(6, m_equation.flashLiquidHeading);
    write(7, m_equation.flashVapourHeading);
    write(8, "K");
    for (int i = 1; i <= w.n; ++i) {
        const int j = 5 * (i - 1);
        write(9 + j, w.cname[i]);
        write(10 + j, singleText(w.znorm[i]));
        write(11 + j, singleText(x[i]));
        write(12 + j, singleText(y[i]));
        write(13 + j, singleText(w.K[i]));
    }
    write(39, "Split");
    write(40, singleText(L));
    write(41, singleText(V));
    write(42, singleText(w.ZA));
    write(43, singleText(w.ZB));
    writeJoined(44, {"Number of iterations = ", singleText(w.iter)});
}

} // namespace calvex::mixture
