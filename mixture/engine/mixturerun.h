#pragma once
// One call of the mixture engine: the caller's arguments, the fresh working record, the
// equation's traits, and the seven modes that the dispatch runs.

#include "mixture/engine/mixtureengine.h"
#include "mixture/engine/mixtureenginetraits.h"
#include "mixture/engine/mixturework.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace calvex::mixture {

struct MixtureArguments {
    float T;
    float P;
    std::int16_t n;
    std::span<const std::string> names;
    std::span<const float> Tc;
    std::span<const float> Pc;
    std::span<const float> omega;
    std::span<const float> Tb;
    std::span<const float> z;
    services::ResultLines& out;
};

class MixtureRun {
public:
    MixtureRun(const MixtureEngineTraits& equation, const MixtureArguments& arguments);

    // Entry, dispatch and the error trap; resets `mode` to 0 on a normal return.
    MixtureResult run(std::int16_t& mode);

private:
    // How a bubble or dew search ended: at a point, its lines written, or without one, with the
    // message that end shows.
    enum class SearchEnd { Point, NotConverging, BubbleCap, DewCap, DewPressureCap, RestartLimit };
    enum class SearchAxis { Temperature, Pressure };
    // One state of the bracketed search: the sum S of the trial fractions at `value` (K or bar),
    // whether the trial phase collapsed onto the given one, the given phase's Z, and the trial fractions.
    struct BracketState {
        float value = 0;
        float S = 0;
        bool trivial = false;
        float Z = 0;
        ComponentValues trial{};
    };

    void molarVolume();
    void fugacity();
    void temperatureSearch(bool bubble);
    void pressureSearch(bool bubble);
    void flash();

    // From the start in Twork or Pwork: the Newton iteration, then, when it finds no point from
    // the default start, the bracketed search, and the end's message when neither finds one.
    void search(bool bubble, SearchAxis axis, bool defaultStart);
    // The Newton iterations of the bubble and dew searches.
    SearchEnd temperatureNewton(bool bubble);
    SearchEnd pressureNewton(bool bubble);
    // After a Newton search from the default start that found no point: S − 1 = 0 bracketed from
    // the ideal-solution estimate and bisected. Writes the point's lines and returns true when
    // it finds one; an arithmetic fault inside it means no point, never the error trap.
    bool bracketedSearch(bool bubble, SearchAxis axis);
    // The ideal-solution start: Σ z·Psat or 1/Σ(z/Psat) bar, or the T at which Σ z·K or Σ z/K is 1.
    float idealStart(bool bubble, SearchAxis axis);
    // The state at `value` from the start estimates there; empty after an arithmetic fault.
    std::optional<BracketState> bracketState(bool bubble, SearchAxis axis, float value);
    // Whether a bracket state lies on the vapour side of the point (below it in pressure, above it
    // in temperature), by its sum or, for a collapsed state, by its Z.
    static bool bracketSide(bool bubble, const BracketState& state);
    // The message of a search's end without a point, and the result 0.
    void endWithoutPoint(SearchEnd end, float& result);
    // The report lines of a point found at Twork or Pwork with the trial fractions `trial`.
    void writeTemperaturePoint(bool bubble, const ComponentValues& trial);
    void writePressurePoint(bool bubble, const ComponentValues& trial);

    // znorm from values(1..n): 1 for a single component (values not read), else values/Σvalues.
    void normalise(std::span<const float> values);
    // Vapour-pressure estimates (bar) at T: the straight line in ln P against 1/T through
    // (Tb, 1 bar) and (Tc, Pc), and the reduced-temperature correlation for T well above Tc.
    float boilingLine(int i, float T);
    // The line's exponent: ln Psat_i(T).
    double boilingLineExponent(int i, float T);
    float highTemperatureEstimate(int i, float T);
    // The line while 1.1·Tc (a 32-bit product) ≥ T, the correlation above it.
    float switchedEstimate(int i, float T);
    // Fugacities and root of one phase of `composition` into `fugacities` and `Z`.
    void phaseFugacities(const ComponentValues& composition, bool liquid, ComponentValues& fugacities, float& Z);
    // One evaluation of the bubble and dew searches: returns the sum of the unnormalised trial
    // fractions of its last inner pass and leaves the normalised ones in `trial`. The inner passes
    // repeat while any fraction changes and no more than `passLimit` have been made.
    float evaluate(bool givenIsLiquid, ComponentValues& trial, int passLimit);
    // K = Psat/P and the unnormalised trial phase from it: y = x·K for a bubble point, x = y/K for a dew point.
    void startTrialPhase(bool bubble, ComponentValues& trial);
    // K = y/x from the final normalised fractions.
    void setFinalRatios(bool bubble, const ComponentValues& trial);

    float answer(std::string_view prompt, bool strict);
    // Report lines are assembled in their own storage, which a run over the same lines reuses.
    void write(int line, std::string_view text);
    void writeJoined(int line, std::initializer_list<std::string_view> pieces);
    // The equation's words between `before` and `after`.
    void writeTitle(int line, std::string_view before, std::string_view after);
    void writeFlashReport(float L, float V, const ComponentValues& x, const ComponentValues& y);
    // Lines 4 to 7 and the component rows of the bubble and dew reports.
    void writeSaturationRows(const std::array<std::string_view, 4>& headings, const ComponentValues& given,
                             const ComponentValues& trial);

    const MixtureEngineTraits& m_equation;
    MixtureArguments m_arguments;
    MixtureWork m_work;
};

} // namespace calvex::mixture
