// Bubble and dew temperature and pressure: a Newton iteration on the temperature or pressure
// around an inner successive substitution of the trial phase's mole fractions, driving the sum of
// the unnormalised trial fractions to 1.

#include "mixture/engine/mixturerun.h"
#include "services/numbers.h"
#include "services/ui.h"

#include <algorithm>
#include <cmath>

namespace calvex::mixture {
namespace {

using services::singleText;

// A trial fraction that moves by more than this in an inner pass counts as changed.
constexpr double fractionChange = 1e-4;
// Inner passes repeat while no more than this many have been made: 26 passes at most.
constexpr int repeatablePasses = 25;
// (Z_given − Z_trial)² at or below this: both solves found the same phase.
constexpr double trivialSolution = 1e-5;
// Which side of the two-phase region a trivial solution lies on.
constexpr double liquidLikeZ = 0.307;
// Forward difference of the Newton slope, K or bar.
constexpr double slopeStep = 0.005;
// Newton steps in bar below which the pressure search has converged, and the extra it adds to each ordinary step.
constexpr double pressureTolerance = 0.01;
constexpr double pressureStepExtra = 0.0025;
// A point is an equilibrium only where the trial fractions sum to 1: a small Newton step can also
// come from a slope made huge by a capped inner substitution or a collapse to a trivial solution.
constexpr double equilibriumSumDeviation = 0.05;
// Consecutive range retries of the bubble-temperature search; any guess from −150 K up reaches 50 K.
constexpr int maxRangeRetries = 20;

bool isEquilibriumSum(float S) { return std::fabs(double(S) - 1.0) <= equilibriumSumDeviation; }

// The pressure search's steps are in bar, which below 1 bar is no longer small: there the
// difference step, the tolerance and the extra step shrink with the Newton iterate, so that a
// search at 0.05 bar judges its steps as one at 1 bar does.
double pressureScale(float P_bar) { return std::min(double(P_bar), 1.0); }

} // namespace

float MixtureRun::evaluate(bool givenIsLiquid, ComponentValues& trial)
{
    MixtureWork& w = m_work;
    phaseFugacities(w.znorm, givenIsLiquid, w.fugA, w.ZA);
    float sum = 0;
    for (int i = 1; i <= w.n; ++i)
        sum = single(double(sum) + trial[i]);
    ComponentValues previous = trial;
    for (int i = 1; i <= w.n; ++i)
        trial[i] = single(quotient(trial[i], sum));

    for (int passes = 1;; ++passes) {
        sum = 0;
        phaseFugacities(trial, !givenIsLiquid, w.fugB, w.ZB);
        ComponentValues updated{};
        int changed = 0;
        for (int i = 1; i <= w.n; ++i) {
            trial[i] = single(quotient(double(w.fugA[i]) * trial[i], w.fugB[i]));
            updated[i] = trial[i];
            sum = single(double(sum) + trial[i]);
        }
        for (int i = 1; i <= w.n; ++i)
            if (std::fabs(double(updated[i]) - previous[i]) > fractionChange)
                ++changed;
        for (int i = 1; i <= w.n; ++i)
            trial[i] = single(quotient(trial[i], sum));
        if (passes > repeatablePasses || changed == 0)
            return sum;
        previous = updated;
    }
}

void MixtureRun::startTrialPhase(bool bubble, ComponentValues& trial)
{
    MixtureWork& w = m_work;
    for (int i = 1; i <= w.n; ++i) {
        w.K[i] = single(quotient(w.Psat[i], w.Pwork));
        trial[i] = bubble ? single(double(w.znorm[i]) * w.K[i]) : single(quotient(w.znorm[i], w.K[i]));
    }
}

void MixtureRun::setFinalRatios(bool bubble, const ComponentValues& trial)
{
    MixtureWork& w = m_work;
    for (int i = 1; i <= w.n; ++i)
        w.K[i] = bubble ? single(quotient(trial[i], w.znorm[i])) : single(quotient(w.znorm[i], trial[i]));
}

void MixtureRun::temperatureSearch(bool bubble)
{
    MixtureWork& w = m_work;
    float& T = w.Twork;
    w.iter = 0;
    w.fugflag = 1;
    w.Pwork = single(m_arguments.P);
    T = answer(bubble ? "Input Guess Bubble Temperature leave it blank for default Guess Temperature"
                      : "Please input guess Dew Temperature Leave it blank for default calculation",
               false);
    normalise(m_arguments.z);
    if (T == 0) {
        float sumTb = 0;
        float sumTc = 0;
        for (int i = 1; i <= w.n; ++i) {
            sumTb = single(sumTb + double(w.znorm[i]) * at(m_arguments.Tb, i));
            sumTc = single(sumTc + double(w.znorm[i]) * at(m_arguments.Tc, i));
        }
        T = single(0.5 * (double(sumTb) + sumTc));
    }

    const float lowest = bubble ? 50.0f : 100.0f;
    const float highest = 1200.0f;
    const double tolerance = bubble ? 0.0026 : 0.01;
    ComponentValues trial{};
    int rangeRetries = 0;
    bool restart = true;

    // The bubble search's way out of a bad start: while at most two iterations are made, step
    // 10 K away from the phase both roots point to. Returns false when the search is over.
    const auto retry = [&](bool fromRange) {
        if (!bubble || w.iter > 2 || (fromRange && ++rangeRetries > maxRangeRetries)) {
            notConverging(T);
            return false;
        }
        if (w.ZA >= liquidLikeZ)
            T = single(T - 10.0);
        if (w.ZB <= liquidLikeZ)
            T = single(T + 10.0);
        return true;
    };

    for (;;) {
        if (restart) {
            if (w.iter > 30) {
                T = 0;
                return;
            }
            for (int i = 1; i <= w.n; ++i)
                w.Psat[i] = boilingLine(i, T);
            startTrialPhase(bubble, trial);
            restart = false;
        }

        if (T < lowest || T > highest) {
            if (!retry(true))
                return;
            continue;
        }
        rangeRetries = 0;
        w.iter = single(w.iter + 1.0);
        ComputeComponentParams(w, m_equation);
        const float S1 = evaluate(bubble, trial);
        T = single(T - slopeStep);
        ComputeComponentParams(w, m_equation);
        const float S2 = evaluate(bubble, trial);

        const float slope = single((double(S2) - S1) / slopeStep);
        if (std::fabs(slope) < 1e-5) {
            if (!retry(false))
                return;
            continue;
        }
        const float dT = single((double(S1) - 1.0) / slope);
        const bool withinTolerance = std::fabs(dT) < tolerance;
        // The bubble search tests its tolerance before its iteration cap, the dew search after
        // its cap and its step limit.
        if (!(bubble && withinTolerance)) {
            if (w.iter > 50) {
                services::ui().message(bubble ? "Bubble  calculation did not converge"
                                              : "Dew  calculation did not converge");
                T = 0;
                return;
            }
            const float limit = bubble ? (w.iter < 11 ? 20.0f : 5.0f) : (w.iter < 11 ? 50.0f : 10.0f);
            if (dT > limit) {
                T = single(T + double(limit));
                continue;
            }
            if (dT < -limit) {
                T = single(T - double(limit));
                continue;
            }
            if (!withinTolerance) {
                T = single(double(T) + dT + 0.0025);
                continue;
            }
        }

        const double gap = double(w.ZA) - w.ZB;
        if (gap * gap <= trivialSolution) {
            const double nudge = 25.0 / std::sqrt(double(w.iter));
            T = single(w.ZA >= liquidLikeZ ? T - nudge : T + nudge);
            restart = true;
            continue;
        }

        if (!isEquilibriumSum(S2)) {
            notConverging(T);
            return;
        }
        setFinalRatios(bubble, trial);
        if (bubble)
            writeTitle(1, "Bubble  temperature calculation using the ", " equation of state");
        else
            writeTitle(1, "Dew  temperature calculation using the ", " Equation Of State");
        writeJoined(2, {"Pressure = ", singleText(w.Pwork), " (bar)"});
        writeJoined(3, {bubble ? "Calculated bubble  temperature = " : "Calculated dew  temperature = ", singleText(T),
                        " (K)"});
        if (bubble)
            writeSaturationRows({"Component", "Feed molefraction", m_equation.bubbleTemperatureVapourHeading, "K"},
                                w.znorm, trial);
        else
            writeSaturationRows({"Component ", m_equation.dewTemperatureFeedHeading, " Liquid molfraction ", "K"},
                                w.znorm, trial);
        writeJoined(32, {"Number of iterations = ", singleText(w.iter)});
        return;
    }
}

void MixtureRun::pressureSearch(bool bubble)
{
    MixtureWork& w = m_work;
    float& P = w.Pwork;
    w.iter = 0;
    w.fugflag = 1;
    w.Twork = single(m_arguments.T);
    P = answer(bubble ? "Please Input Guess Value of Bubble Pressure(in bar) Leave it blank for default calculation"
                      : "Enter Guess Dew Pressure leave it blank for default input",
               false);
    normalise(m_arguments.z);
    ComputeComponentParams(w, m_equation);

    float defaultGuess = 0;
    for (int i = 1; i <= w.n; ++i) {
        w.Psat[i] = bubble ? switchedEstimate(i, w.Twork) : boilingLine(i, w.Twork);
        defaultGuess = single(defaultGuess + double(w.znorm[i]) * w.Psat[i]);
    }
    if (!bubble)
        defaultGuess = single(0.25 * defaultGuess);
    if (P < 0.0001)
        P = defaultGuess;

    ComponentValues trial{};
    bool restart = true;
    for (;;) {
        if (restart) {
            startTrialPhase(bubble, trial);
            restart = false;
        }

        if (P < 0 || P > 10000) {
            notConverging(P);
            return;
        }
        w.iter = single(w.iter + 1.0);
        if (!bubble && w.iter > 30) {
            if (!m_equation.dewPressureCapMessage.empty())
                services::ui().message(std::string(m_equation.dewPressureCapMessage));
            P = 0;
            return;
        }
        const double scale = pressureScale(P);
        const double step = slopeStep * scale;
        const float S1 = evaluate(bubble, trial);
        P = single(P - step);
        const float S2 = evaluate(bubble, trial);

        const float slope = single(quotient(double(S2) - S1, step));
        if (std::fabs(slope) < 1e-6) {
            notConverging(P);
            return;
        }
        const float dP = single((double(S1) - 1.0) / slope);
        if (bubble && w.iter > 50) {
            services::ui().message("Bubble  calculation did not converge");
            P = 0;
            return;
        }
        const float limit = w.iter < 11 ? 50.0f : 10.0f;
        if (dP > limit) {
            P = single(P + double(limit));
            continue;
        }
        if (dP < -limit) {
            P = single(P - double(limit));
            continue;
        }
        if (std::fabs(dP) >= pressureTolerance * scale) {
            P = single(double(P) + dP + pressureStepExtra * scale);
            continue;
        }

        const double gap = double(w.ZA) - w.ZB;
        if (gap * gap <= trivialSolution) {
            // The liquid's Z decides: the given phase in the bubble search, the trial one in the dew search.
            const float liquidZ = bubble ? w.ZA : w.ZB;
            const double nudge = 25.0 / std::sqrt(double(w.iter));
            P = single(liquidZ >= liquidLikeZ ? P + nudge : P - nudge);
            restart = true;
            continue;
        }

        if (!isEquilibriumSum(S2)) {
            notConverging(P);
            return;
        }
        setFinalRatios(bubble, trial);
        if (bubble) {
            // A bubble point at or below 0 bar is no bubble point: only the iteration count is reported.
            if (P > 0) {
                writeTitle(1, "Bubble  pressure calculation using the ", " equation of state");
                writeJoined(2, {"Temperature = ", singleText(w.Twork), "( K)"});
                writeJoined(3, {"Calculated bubble  pressure = ", singleText(P), " ( bar)"});
                writeSaturationRows({"Component", " Feed molfraction", " Vapor molfraction ", "  K  "}, w.znorm, trial);
            }
            writeJoined(33, {"Number of iterations = ", singleText(w.iter)});
        } else {
            writeTitle(1, "Dew  pressure calculation using the ", " equation of state");
            writeJoined(2, {"Temperature = ", singleText(w.Twork), " (K)"});
            writeJoined(3, {"Calculated dew  pressure = ", singleText(P), " ( bar)"});
            writeSaturationRows({"Component", "Feed Molefraction", "Liquid Molefraction", "K"}, w.znorm, trial);
            writeJoined(32, {"Number of iterations = ", singleText(w.iter)});
        }
        return;
    }
}

} // namespace calvex::mixture
