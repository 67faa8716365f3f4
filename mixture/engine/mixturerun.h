#pragma once
// One call of the mixture engine: the caller's arguments, the fresh working record, the
// equation's traits, and the seven modes that the dispatch runs.

#include "mixture/engine/mixtureengine.h"
#include "mixture/engine/mixtureenginetraits.h"
#include "mixture/engine/mixturework.h"

#include <initializer_list>
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
    void molarVolume();
    void fugacity();
    void temperatureSearch(bool bubble);
    void pressureSearch(bool bubble);
    void flash();

    // znorm from values(1..n): 1 for a single component (values not read), else values/Σvalues.
    void normalise(std::span<const float> values);
    // Vapour-pressure estimates (bar) at T: the straight line in ln P against 1/T through
    // (Tb, 1 bar) and (Tc, Pc), and the reduced-temperature correlation for T well above Tc.
    float boilingLine(int i, float T);
    float highTemperatureEstimate(int i, float T);
    // The line while 1.1·Tc (a 32-bit product) ≥ T, the correlation above it.
    float switchedEstimate(int i, float T);
    // Fugacities and root of one phase of `composition` into `fugacities` and `Z`.
    void phaseFugacities(const ComponentValues& composition, bool liquid, ComponentValues& fugacities, float& Z);
    // One evaluation of the bubble and dew searches: returns the sum of the unnormalised trial
    // fractions of its last inner pass and leaves the normalised ones in `trial`.
    float evaluate(bool givenIsLiquid, ComponentValues& trial);
    // K = Psat/P and the unnormalised trial phase from it: y = x·K for a bubble point, x = y/K for a dew point.
    void startTrialPhase(bool bubble, ComponentValues& trial);
    // K = y/x from the final normalised fractions.
    void setFinalRatios(bool bubble, const ComponentValues& trial);

    float answer(std::string_view prompt, bool strict);
    void notConverging(float& result);
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
