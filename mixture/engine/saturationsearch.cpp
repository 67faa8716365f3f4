// Bubble and dew temperature and pressure: a Newton iteration on the temperature or pressure
// around an inner successive substitution of the trial phase's mole fractions, driving the sum of
// the unnormalised trial fractions to 1. Where the Newton iteration from the default start finds
// no point, the same sum is bracketed and bisected before the search gives up.

#include "mixture/engine/mixturerun.h"
#include "services/numbers.h"
#include "services/ui.h"

#include <algorithm>
#include <cfloat>
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
// The temperature searches' range, K, and the pressure searches' highest pressure, bar.
constexpr float lowestTemperature(bool bubble) { return bubble ? 50.0f : 100.0f; }
constexpr float highestTemperature = 1200.0f;
constexpr float highestPressure = 10000.0f;
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

// The bracket evaluates each state afresh from the start estimates, so its substitution runs
// until the trial phase settles rather than for the few passes a warm Newton iterate needs.
constexpr int bracketPasses = 1000;
// Bracket widening: pressures double or halve, temperatures move by 5 %.
constexpr double pressureFactor = 2.0;
constexpr double temperatureFactor = 1.05;
// Near 1e-20 bar the cubic's constant term, of the order A·B, falls below the normal single
// range and loses digits, and the liquid root with them: a state whose term lies more than 2^12
// below that range has no value. Points found down to 2^16 below it were off by up to 0.15 %,
// those above 2^12 below it by no more than 2e-5.
constexpr float leastCubicConstant = FLT_MIN * 0x1p-12f;
// A bracketed point is reported only where the trial fractions sum to 1 this closely.
constexpr double bracketSumDeviation = 1e-3;

bool isEquilibriumSum(float S) { return std::fabs(double(S) - 1.0) <= equilibriumSumDeviation; }

// The pressure search's steps are in bar, which below 1 bar is no longer small: there the
// difference step, the tolerance and the extra step shrink with the Newton iterate, so that a
// search at 0.05 bar judges its steps as one at 1 bar does.
double pressureScale(float P_bar) { return std::min(double(P_bar), 1.0); }

bool isTrivial(float ZA, float ZB)
{
    const double gap = double(ZA) - ZB;
    return gap * gap <= trivialSolution;
}

} // namespace

float MixtureRun::evaluate(bool givenIsLiquid, ComponentValues& trial, int passLimit)
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
        if (passes > passLimit || changed == 0)
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

void MixtureRun::writeTemperaturePoint(bool bubble, const ComponentValues& trial)
{
    MixtureWork& w = m_work;
    setFinalRatios(bubble, trial);
    if (bubble)
        writeTitle(1, "Bubble  temperature calculation using the ", " equation of state");
    else
        writeTitle(1, "Dew  temperature calculation using the ", " Equation Of State");
    writeJoined(2, {"Pressure = ", singleText(w.Pwork), " (bar)"});
    writeJoined(3, {bubble ? "Calculated bubble  temperature = " : "Calculated dew  temperature = ",
                    singleText(w.Twork), " (K)"});
    if (bubble)
        writeSaturationRows({"Component", "Feed molefraction", m_equation.bubbleTemperatureVapourHeading, "K"},
                            w.znorm, trial);
    else
        writeSaturationRows({"Component ", m_equation.dewTemperatureFeedHeading, " Liquid molfraction ", "K"},
                            w.znorm, trial);
    writeJoined(32, {"Number of iterations = ", singleText(w.iter)});
}

void MixtureRun::writePressurePoint(bool bubble, const ComponentValues& trial)
{
    MixtureWork& w = m_work;
    const float P = w.Pwork;
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
}

void MixtureRun::endWithoutPoint(SearchEnd end, float& result)
{
    switch (end) {
    case SearchEnd::NotConverging:
        services::ui().message("Calculation not converging: one-phase region or poor initial guess");
        break;
    case SearchEnd::BubbleCap: services::ui().message("Bubble  calculation did not converge"); break;
    case SearchEnd::DewCap: services::ui().message("Dew  calculation did not converge"); break;
    case SearchEnd::DewPressureCap:
        if (!m_equation.dewPressureCapMessage.empty())
            services::ui().message(std::string(m_equation.dewPressureCapMessage));
        break;
    case SearchEnd::RestartLimit:
    case SearchEnd::Point: break;
    }
    result = 0;
}

void MixtureRun::search(bool bubble, SearchAxis axis, bool defaultStart)
{
    const bool pressure = axis == SearchAxis::Pressure;
    const SearchEnd end = pressure ? pressureNewton(bubble) : temperatureNewton(bubble);
    if (end == SearchEnd::Point || (defaultStart && bracketedSearch(bubble, axis)))
        return;
    endWithoutPoint(end, pressure ? m_work.Pwork : m_work.Twork);
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
    const bool defaultStart = T == 0;
    if (defaultStart) {
        float sumTb = 0;
        float sumTc = 0;
        for (int i = 1; i <= w.n; ++i) {
            sumTb = single(sumTb + double(w.znorm[i]) * at(m_arguments.Tb, i));
            sumTc = single(sumTc + double(w.znorm[i]) * at(m_arguments.Tc, i));
        }
        T = single(0.5 * (double(sumTb) + sumTc));
    }
    search(bubble, SearchAxis::Temperature, defaultStart);
}

MixtureRun::SearchEnd MixtureRun::temperatureNewton(bool bubble)
{
    MixtureWork& w = m_work;
    float& T = w.Twork;
    const float lowest = lowestTemperature(bubble);
    const double tolerance = bubble ? 0.0026 : 0.01;
    ComponentValues trial{};
    int rangeRetries = 0;
    bool restart = true;

    // The bubble search's way out of a bad start: while at most two iterations are made, step
    // 10 K away from the phase both roots point to. Returns false when the search is over.
    const auto retry = [&](bool fromRange) {
        if (!bubble || w.iter > 2 || (fromRange && ++rangeRetries > maxRangeRetries))
            return false;
        if (w.ZA >= liquidLikeZ)
            T = single(T - 10.0);
        if (w.ZB <= liquidLikeZ)
            T = single(T + 10.0);
        return true;
    };

    for (;;) {
        if (restart) {
            if (w.iter > 30)
                return SearchEnd::RestartLimit;
            for (int i = 1; i <= w.n; ++i)
                w.Psat[i] = boilingLine(i, T);
            startTrialPhase(bubble, trial);
            restart = false;
        }

        if (T < lowest || T > highestTemperature) {
            if (!retry(true))
                return SearchEnd::NotConverging;
            continue;
        }
        rangeRetries = 0;
        w.iter = single(w.iter + 1.0);
        ComputeComponentParams(w, m_equation);
        const float S1 = evaluate(bubble, trial, repeatablePasses);
        T = single(T - slopeStep);
        ComputeComponentParams(w, m_equation);
        const float S2 = evaluate(bubble, trial, repeatablePasses);

        const float slope = single((double(S2) - S1) / slopeStep);
        if (std::fabs(slope) < 1e-5) {
            if (!retry(false))
                return SearchEnd::NotConverging;
            continue;
        }
        const float dT = single((double(S1) - 1.0) / slope);
        const bool withinTolerance = std::fabs(dT) < tolerance;
        // The bubble search tests its tolerance before its iteration cap, the dew search after
        // its cap and its step limit.
        if (!(bubble && withinTolerance)) {
            if (w.iter > 50)
                return bubble ? SearchEnd::BubbleCap : SearchEnd::DewCap;
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

        if (isTrivial(w.ZA, w.ZB)) {
            const double nudge = 25.0 / std::sqrt(double(w.iter));
            T = single(w.ZA >= liquidLikeZ ? T - nudge : T + nudge);
            restart = true;
            continue;
        }

        if (!isEquilibriumSum(S2))
            return SearchEnd::NotConverging;
        writeTemperaturePoint(bubble, trial);
        return SearchEnd::Point;
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
    const bool defaultStart = P < 0.0001;
    if (defaultStart)
        P = defaultGuess;
    search(bubble, SearchAxis::Pressure, defaultStart);
}

MixtureRun::SearchEnd MixtureRun::pressureNewton(bool bubble)
{
    MixtureWork& w = m_work;
    float& P = w.Pwork;
    ComponentValues trial{};
    bool restart = true;
    for (;;) {
        if (restart) {
            startTrialPhase(bubble, trial);
            restart = false;
        }

        if (P < 0 || P > highestPressure)
            return SearchEnd::NotConverging;
        w.iter = single(w.iter + 1.0);
        if (!bubble && w.iter > 30)
            return SearchEnd::DewPressureCap;
        const double scale = pressureScale(P);
        const double step = slopeStep * scale;
        const float S1 = evaluate(bubble, trial, repeatablePasses);
        P = single(P - step);
        const float S2 = evaluate(bubble, trial, repeatablePasses);

        const float slope = single(quotient(double(S2) - S1, step));
        if (std::fabs(slope) < 1e-6)
            return SearchEnd::NotConverging;
        const float dP = single((double(S1) - 1.0) / slope);
        if (bubble && w.iter > 50)
            return SearchEnd::BubbleCap;
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

        if (isTrivial(w.ZA, w.ZB)) {
            // The liquid's Z decides: the given phase in the bubble search, the trial one in the dew search.
            const float liquidZ = bubble ? w.ZA : w.ZB;
            const double nudge = 25.0 / std::sqrt(double(w.iter));
            P = single(liquidZ >= liquidLikeZ ? P + nudge : P - nudge);
            restart = true;
            continue;
        }

        if (!isEquilibriumSum(S2))
            return SearchEnd::NotConverging;
        writePressurePoint(bubble, trial);
        return SearchEnd::Point;
    }
}

bool MixtureRun::bracketSide(bool bubble, const BracketState& state)
{
    if (state.trivial)
        return state.Z >= liquidLikeZ;
    // Bubble: a liquid whose K sum exceeds 1 boils. Dew: a vapour whose sum of y/K stays below 1 holds.
    return bubble ? state.S > 1.0f : state.S < 1.0f;
}

std::optional<MixtureRun::BracketState> MixtureRun::bracketState(bool bubble, SearchAxis axis, float value)
{
    MixtureWork& w = m_work;
    w.iter = single(w.iter + 1.0);
    try {
        BracketState state;
        state.value = value;
        if (axis == SearchAxis::Pressure) {
            w.Pwork = value;
        } else {
            w.Twork = value;
            for (int i = 1; i <= w.n; ++i)
                w.Psat[i] = boilingLine(i, value);
            ComputeComponentParams(w, m_equation);
        }
        startTrialPhase(bubble, state.trial);
        state.S = evaluate(bubble, state.trial, bracketPasses);
        if (std::fabs(w.coef[3]) < leastCubicConstant)
            return std::nullopt;
        state.trivial = isTrivial(w.ZA, w.ZB);
        state.Z = w.ZA;
        return state;
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

float MixtureRun::idealStart(bool bubble, SearchAxis axis)
{
    const MixtureWork& w = m_work;
    if (axis == SearchAxis::Pressure) {
        double sum = 0;
        for (int i = 1; i <= w.n; ++i)
            sum += bubble ? double(w.znorm[i]) * w.Psat[i] : quotient(w.znorm[i], w.Psat[i]);
        return single(bubble ? sum : quotient(1.0, sum));
    }
    // Σ z·K or Σ z/K against 1, K = Psat(T)/P, by bisection over the search's range. The sums are
    // formed in double from the estimates' exponents: an estimate beyond the single range, or one
    // that vanishes, still compares the right way.
    const double lnP = naturalLog(w.Pwork);
    double low = lowestTemperature(bubble);
    double high = highestTemperature;
    for (int k = 0; k < 60; ++k) {
        const double T = 0.5 * (low + high);
        double sum = 0;
        for (int i = 1; i <= w.n; ++i)
            if (w.znorm[i] != 0) {
                const double lnK = boilingLineExponent(i, single(T)) - lnP;
                sum += double(w.znorm[i]) * std::exp(bubble ? lnK : -lnK);
            }
        ((bubble ? sum > 1.0 : sum < 1.0) ? high : low) = T;
    }
    return single(0.5 * (low + high));
}

bool MixtureRun::bracketedSearch(bool bubble, SearchAxis axis)
{
    MixtureWork& w = m_work;
    const bool pressure = axis == SearchAxis::Pressure;
    const double lowest = pressure ? FLT_MIN : lowestTemperature(bubble);
    const double highest = pressure ? highestPressure : highestTemperature;
    const auto middle = [&](float a, float b) {
        return single(pressure ? std::sqrt(double(a) * b) : 0.5 * (double(a) + b));
    };

    float start = 0;
    try {
        start = single(std::clamp(double(idealStart(bubble, axis)), lowest, highest));
    } catch (const ArithmeticFault&) {
        return false;
    }
    const std::optional<BracketState> first = bracketState(bubble, axis, start);
    if (!first)
        return false;
    // The state one widening step toward the liquid side (a higher pressure, a lower temperature)
    // or away from it; empty at the end of the range or where a fault leaves no value.
    const auto outward = [&](const BracketState& from, bool towardLiquid) -> std::optional<BracketState> {
        const double factor = pressure ? pressureFactor : 1.0 / temperatureFactor;
        const double stepped = towardLiquid ? from.value * factor : from.value / factor;
        const float next = single(std::clamp(stepped, lowest, highest));
        if (next == from.value)
            return std::nullopt;
        return bracketState(bubble, axis, next);
    };

    // A collapsed start tells only roughly where the point lies: take the nearest state whose
    // phases are distinct, first toward the side the start's Z points to, then the other way.
    // The collapsed state before it lies beyond the point when the point lies back toward it.
    BracketState near = *first;
    BracketState far;
    bool bracketed = false;
    if (first->trivial) {
        const bool zSide = bracketSide(bubble, *first);
        std::optional<BracketState> distinct;
        for (const bool towardLiquid : {zSide, !zSide}) {
            far = *first;
            while ((distinct = outward(far, towardLiquid)) && distinct->trivial)
                far = *distinct;
            if (distinct) {
                near = *distinct;
                bracketed = bracketSide(bubble, near) != towardLiquid;
                break;
            }
        }
        if (!distinct)
            return false;
    }

    // Widen until the state lies beyond the point: on its other side, or collapsed onto the given
    // phase. Then bisect to single precision by the same rule.
    const bool nearSide = bracketSide(bubble, near);
    const auto beyond = [&](const BracketState& state) {
        return state.trivial || bracketSide(bubble, state) != nearSide;
    };
    while (!bracketed) {
        const std::optional<BracketState> state = outward(near, nearSide);
        if (!state)
            return false;
        bracketed = beyond(*state);
        (bracketed ? far : near) = *state;
    }
    for (;;) {
        const float value = middle(near.value, far.value);
        if (value == near.value || value == far.value)
            break;
        const std::optional<BracketState> state = bracketState(bubble, axis, value);
        if (!state)
            return false;
        (beyond(*state) ? far : near) = *state;
    }

    const BracketState* point = nullptr;
    for (const BracketState* end : {&near, &far}) {
        const double deviation = std::fabs(double(end->S) - 1.0);
        if (!end->trivial && deviation <= bracketSumDeviation &&
            (!point || deviation < std::fabs(double(point->S) - 1.0)))
            point = end;
    }
    if (!point)
        return false;
    if (pressure) {
        w.Pwork = point->value;
        writePressurePoint(bubble, point->trial);
    } else {
        w.Twork = point->value;
        writeTemperaturePoint(bubble, point->trial);
    }
    return true;
}

} // namespace calvex::mixture
