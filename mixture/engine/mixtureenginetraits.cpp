#include "mixture/engine/mixtureenginetraits.h"

#include "core/checkedmath.h"
#include "core/eosformulas.h"
#include "core/eosparameters.h"

#include <cmath>

// The engine computes in its own way where its members are defined so: R in bar, its own
// omegaA and omegaB, the reduced temperature stored before alpha, m summed as m0 + m1 w - m2 w^2,
// the Peng-Robinson cubic grouped as A - (3B + 2)B and (B^2 + B - A)B, a 32-bit sqrt 2 and its
// own cubic solve; each of these can round differently from the core's. What it computes alike
// (the alpha form, the Redlich-Kwong family's cubic and logarithm) is the core's.

namespace calvex::mixture {

using core::detail::AcentricPolynomial;
using core::detail::Equation;
using core::detail::logOfAbs;
using core::detail::quotient;
using core::detail::single;
using core::detail::squareRoot;

namespace {

float soaveAttraction(float ac, const AcentricPolynomial& p, float omega, float Tr)
{
    const double w = omega;
    const float m = single(p.m0 + p.m1 * w - p.m2 * w * w);
    return single(double(core::detail::alphaAt(m, Tr)) * ac);
}

float pengRobinsonAttraction(float ac, float omega, float Tr)
{
    return soaveAttraction(ac, core::detail::pengRobinsonSlope, omega, Tr);
}

float soaveRedlichKwongAttraction(float ac, float omega, float Tr)
{
    return soaveAttraction(ac, core::detail::soaveSlope, omega, Tr);
}

float redlichKwongAttraction(float ac, float, float Tr) { return single(quotient(ac, squareRoot(Tr))); }

std::array<float, 3> pengRobinsonCubic(float A, float B)
{
    const double a = A;
    const double b = B;
    return {single(b - 1.0), single(a - (3.0 * b + 2.0) * b), single((b * b + b - a) * b)};
}

std::array<float, 3> redlichKwongCubic(float A, float B)
{
    const core::detail::Cubic c = core::detail::cubicOf(Equation::RedlichKwong, A, B);
    return {c.c2, c.c1, c.c0};
}

// √2 as the member holds it, a 32-bit value, and the two constants formed from it.
const float sqrt2Single = static_cast<float>(std::sqrt(2.0));
const float onePlusSqrt2 = static_cast<float>(1.0 + sqrt2Single);
const float sqrt2MinusOne = static_cast<float>(sqrt2Single - 1.0);

float pengRobinsonLogTerm(float Z, float B)
{
    const double ratio = quotient(Z + double(onePlusSqrt2) * B, Z - double(sqrt2MinusOne) * B);
    return single(logOfAbs(ratio));
}

float pengRobinsonLogFactor(float A, float B) { return single(quotient(A, 2.0 * B * double(sqrt2Single))); }

float redlichKwongLogTerm(float Z, float B) { return single(core::detail::cubicLog(Equation::RedlichKwong, Z, B)); }

float redlichKwongLogFactor(float A, float B) { return single(quotient(A, B)); }

} // namespace

const MixtureEngineTraits pengRobinsonTraits{
    .omegaA = 0.457235529,
    .omegaB = 0.077796074,
    .attraction = pengRobinsonAttraction,
    .readsAcentricFactor = true,
    .cubicCoefficients = pengRobinsonCubic,
    .logTerm = pengRobinsonLogTerm,
    .logFactor = pengRobinsonLogFactor,
    .flashNewtonSteps = 20,
    .flashFlatSlopeIsNoFlash = true,
    .dewPressureCapMessage = "Dew  calculation did not converge",
    .strictFugacityAnswers = false,
    .boilingLineTakesAbsolutePc = true,
    .equationWords = "Peng Robinson",
    .molarVolumeTitle = "Molar Volume Compressibility calculation using the Peng Robinson EOS",
    .fugacityFeedHeading = "Feed molefraction",
    .bubbleTemperatureVapourHeading = "Vapor molefraction",
    .dewTemperatureFeedHeading = "Feed  molfraction ",
    .flashLiquidHeading = "Liquid molefraction",
    .flashVapourHeading = "Vapor molefraction ",
};

const MixtureEngineTraits soaveRedlichKwongTraits{
    .omegaA = 0.42748,
    .omegaB = 0.08664,
    .attraction = soaveRedlichKwongAttraction,
    .readsAcentricFactor = true,
    .cubicCoefficients = redlichKwongCubic,
    .logTerm = redlichKwongLogTerm,
    .logFactor = redlichKwongLogFactor,
    .flashNewtonSteps = 30,
    .flashFlatSlopeIsNoFlash = true,
    .dewPressureCapMessage = "Dew  calculation did not converge",
    .strictFugacityAnswers = true,
    .boilingLineTakesAbsolutePc = true,
    .equationWords = "Soave Redlick Kwong",
    .molarVolumeTitle = "Molar Volume Compressibility calculation using the Soave Redlick Kwong EOS",
    .fugacityFeedHeading = "Feed",
    .bubbleTemperatureVapourHeading = "Vapor molefraction",
    .dewTemperatureFeedHeading = "Feed molfraction ",
    .flashLiquidHeading = "Liquid molefraction",
    .flashVapourHeading = "Vapor molefraction",
};

const MixtureEngineTraits redlichKwongTraits{
    .omegaA = 0.42748,
    .omegaB = 0.08664,
    .attraction = redlichKwongAttraction,
    .readsAcentricFactor = false,
    .cubicCoefficients = redlichKwongCubic,
    .logTerm = redlichKwongLogTerm,
    .logFactor = redlichKwongLogFactor,
    .flashNewtonSteps = 20,
    .flashFlatSlopeIsNoFlash = false,
    .dewPressureCapMessage = "",
    .strictFugacityAnswers = false,
    .boilingLineTakesAbsolutePc = false,
    .equationWords = "Redlick Kwong",
    .molarVolumeTitle = "Molar Volume Compressibility calculation using the  Redlick Kwong EOS",
    .fugacityFeedHeading = "Feed molefraction ",
    .bubbleTemperatureVapourHeading = "Vapor molefraction ",
    .dewTemperatureFeedHeading = "Feed molfraction ",
    .flashLiquidHeading = "Liquid molefraction  ",
    .flashVapourHeading = "Vapor molefraction",
};

} // namespace calvex::mixture
