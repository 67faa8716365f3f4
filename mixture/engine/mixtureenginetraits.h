#pragma once
// Everything in which the Peng–Robinson, Soave–Redlich–Kwong and Redlich–Kwong members of the
// mixture engine differ: one record per equation, read by the one driver.

#include <array>
#include <string_view>

namespace calvex::mixture {

struct MixtureEngineTraits {
    // a_c = omegaA·(R·Tc)²/Pc and b = omegaB·R·Tc/Pc.
    double omegaA;
    double omegaB;
    // a(T) from a_c, the acentric factor and the reduced temperature, stored as the equation stores it.
    float (*attraction)(float ac, float omega, float Tr);
    // Whether a(T) takes the acentric factor at all (the caller's omega array is not read otherwise).
    bool readsAcentricFactor;
    // c1, c2, c3 of Z³ + c1·Z² + c2·Z + c3 = 0.
    std::array<float, 3> (*cubicCoefficients)(float A, float B);
    // The logarithmic term of ln φ at the root Z, and the factor it is multiplied by.
    float (*logTerm)(float Z, float B);
    float (*logFactor)(float A, float B);

    // Newton steps of the Rachford–Rice solve per outer flash pass.
    int flashNewtonSteps;
    // A Rachford–Rice slope of exactly 0 while the balance is still off: no flash, as after a
    // search that did not settle (true), or the step divides by it and ends in the error trap (false).
    bool flashFlatSlopeIsNoFlash;
    // Shown when the dew-pressure search runs out of iterations; empty: the search ends silently.
    std::string_view dewPressureCapMessage;
    // The fugacity mode reads its temperature, pressure and mole-fraction answers strictly
    // (text that is not a number is a fault) instead of by their leading number.
    bool strictFugacityAnswers;
    // The boiling-point vapour-pressure line takes ln|Pc| (true) or ln Pc as it stands.
    bool boilingLineTakesAbsolutePc;

    // Wording of the report lines.
    std::string_view equationWords;           // "Peng Robinson", …: titles are built around it
    std::string_view molarVolumeTitle;        // molar volume, line 1
    std::string_view fugacityFeedHeading;     // fugacity, line 5
    std::string_view bubbleTemperatureVapourHeading; // bubble temperature, line 6
    std::string_view dewTemperatureFeedHeading;      // dew temperature, line 5
    std::string_view flashLiquidHeading;      // flash, line 6
    std::string_view flashVapourHeading;      // flash, line 7
};

extern const MixtureEngineTraits pengRobinsonTraits;
extern const MixtureEngineTraits soaveRedlichKwongTraits;
extern const MixtureEngineTraits redlichKwongTraits;

} // namespace calvex::mixture
