// The report lines of one run of every mode of every member: each text with its blanks at its
// line number, each number in the engine's number text and close to the independent value, and
// every other line left as the caller had it.

#include "tests/mixture/engine/enginecall.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <map>

namespace calvex::mixture::testing {
namespace {

constexpr double R = 8.314e-05;

// A report's number text read into T exactly, as the report's own reading would.
template <class T>
T parsed(const std::string& text)
{
    T value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct Expected {
    enum class Kind { Text, Single, Double, Count };
    Kind kind;
    std::string prefix;
    double value = 0;
    double tolerance = 0;
    std::string suffix;
};

Expected text(std::string line) { return {Expected::Kind::Text, std::move(line), 0, 0, ""}; }
Expected single(double value, double tolerance, std::string prefix = "", std::string suffix = "")
{
    return {Expected::Kind::Single, std::move(prefix), value, tolerance, std::move(suffix)};
}
Expected doubleValue(double value, double tolerance) { return {Expected::Kind::Double, "", value, tolerance, ""}; }
Expected count(std::string prefix) { return {Expected::Kind::Count, std::move(prefix), 0, 0, ""}; }

using Report = std::map<int, Expected>;

void expectReport(const Call& call, const Report& report)
{
    ASSERT_TRUE(call.messages.empty()) << call.messages.front();
    for (std::size_t line = 0; line < call.out.size(); ++line) {
        SCOPED_TRACE("line " + std::to_string(line));
        const std::string& actual = call.out[line];
        const auto found = report.find(int(line));
        if (found == report.end()) {
            EXPECT_EQ(actual, untouched);
            continue;
        }
        const Expected& expected = found->second;
        if (expected.kind == Expected::Kind::Text) {
            EXPECT_EQ(actual, expected.prefix);
            continue;
        }
        ASSERT_GE(actual.size(), expected.prefix.size() + expected.suffix.size()) << actual;
        EXPECT_EQ(actual.substr(0, expected.prefix.size()), expected.prefix) << actual;
        EXPECT_EQ(actual.substr(actual.size() - expected.suffix.size()), expected.suffix) << actual;
        const std::string number =
            actual.substr(expected.prefix.size(), actual.size() - expected.prefix.size() - expected.suffix.size());
        switch (expected.kind) {
        case Expected::Kind::Single:
            EXPECT_EQ(number, services::singleText(parsed<float>(number))) << "not a single-precision number text";
            EXPECT_NEAR(parsed<double>(number), expected.value, expected.tolerance);
            break;
        case Expected::Kind::Double:
            EXPECT_EQ(number, services::doubleText(parsed<double>(number))) << "not a double-precision number text";
            EXPECT_GT(number.size(), 9u) << "shown with the digits of a double";
            EXPECT_NEAR(parsed<double>(number), expected.value, expected.tolerance);
            break;
        default:
            ASSERT_FALSE(number.empty());
            EXPECT_NE(number[0], '0');
            for (char c : number)
                EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << number;
            break;
        }
    }
}

// How each member words the lines in which the members differ.
struct Wording {
    std::string equation;
    std::string molarVolumeTitle;
    std::string fugacityFeed;
    std::string bubbleTemperatureVapour;
    std::string dewTemperatureFeed;
    std::string flashLiquid;
    std::string flashVapour;
};

const Wording wordings[] = {
    {"Peng Robinson", "Molar Volume Compressibility calculation using the Peng Robinson EOS", "Feed molefraction",
     "Vapor molefraction", "Feed  molfraction ", "Liquid molefraction", "Vapor molefraction "},
    {"Soave Redlick Kwong", "Molar Volume Compressibility calculation using the Soave Redlick Kwong EOS", "Feed",
     "Vapor molefraction", "Feed molfraction ", "Liquid molefraction", "Vapor molefraction"},
    {"Redlick Kwong", "Molar Volume Compressibility calculation using the  Redlick Kwong EOS", "Feed molefraction ",
     "Vapor molefraction ", "Feed molfraction ", "Liquid molefraction  ", "Vapor molefraction"},
};

// Tolerances against the independent solve: the cubic's roots in single precision; the
// searches' state and compositions as in the engine's number tests.
constexpr double rootTolerance = 2e-5;
constexpr double temperatureTolerance = 0.15;
constexpr double pressureTolerance = 0.02;
constexpr double fractionTolerance = 2e-3;
constexpr double ratioTolerance = 8e-3;

// Rows of a bubble or dew report: given fractions 0.5, the incipient phase, K = y/x.
void addSaturationRows(Report& report, const reference::Composition& incipient, bool bubble)
{
    const char* names[] = {"propane", "n-butane"};
    for (int i = 0; i < 2; ++i) {
        const int j = 4 * i;
        report[8 + j] = text(names[i]);
        report[9 + j] = text("0.5");
        report[10 + j] = single(incipient[i], fractionTolerance);
        report[11 + j] = single(bubble ? incipient[i] / 0.5 : 0.5 / incipient[i], ratioTolerance);
    }
}

class MixtureReport : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    const Member& member() const { return members[std::get<0>(GetParam())]; }
    const Wording& wording() const { return wordings[std::get<0>(GetParam())]; }
    MixtureMode mode() const { return static_cast<MixtureMode>(std::get<1>(GetParam())); }
    std::string title(const std::string& before, const std::string& after) const
    {
        return before + wording().equation + after;
    }
};

TEST_P(MixtureReport, LinesAreWrittenExactly)
{
    const Feed feed = propaneButane();
    const reference::Mixture mixture(member().equation, feed.components());
    const reference::Composition half{0.5, 0.5};
    Report report;
    Call call;
    switch (mode()) {
    case MixtureMode::MolarVolume: {
        const Feed methane = methaneButane();
        const reference::Mixture reference(member().equation, methane.components());
        const reference::Roots roots = reference.roots(half, 250.0, 10.0);
        call = callEngine(member(), mode(), 250.0f, 10.0f, methane);
        report = {
            {1, text(wording().molarVolumeTitle)},
            {2, text("Temperature= 250 (K)")},
            {3, text("Pressure   = 10 (bar)")},
            {4, text("Phase")},
            {5, text("Compressibility")},
            {6, text("Specific volume (m^3/mol)")},
            {7, text(" ")},
            {8, text("vapor")},
            {9, single(roots.vapour, rootTolerance)},
            {10, doubleValue(roots.vapour * R * 25.0, rootTolerance * R * 25.0)},
            {11, text("  ")},
            {12, text("liquid")},
            {13, single(roots.liquid, rootTolerance)},
            {14, doubleValue(roots.liquid * R * 25.0, rootTolerance * R * 25.0)},
            {16, text(" ")},
            {17, single(reference.am(half, 250.0), 1e-5 * reference.am(half, 250.0), "A = ")},
            {18, single(reference.bm(half), 1e-5 * reference.bm(half), "B =")},
        };
        break;
    }
    case MixtureMode::Fugacity: {
        const reference::Composition x{0.25, 0.75};
        const auto lnPhi = mixture.lnPhi(x, 300.0, 5.0, true);
        call = callEngine(member(), mode(), 0.0f, 0.0f, feed, {"300", "5", "1", "3", "1"});
        report = {
            {1, text(title("Fugacity calculation using the ", " equation of state"))},
            {2, text("Temperature = 300(K)")},
            {3, text("Pressure    = 5 (bar)")},
            {4, text("Component")},
            {5, text(wording().fugacityFeed)},
            {6, text("Fugacity (bar)")},
            {7, text("(f/xP) ")},
            {8, text("propane")},
            {9, text("0.25")},
            {10, single(5.0 * 0.25 * std::exp(lnPhi[0]), 2e-5)},
            {11, single(std::exp(lnPhi[0]), 2e-5)},
            {12, text("n-butane")},
            {13, text("0.75")},
            {14, single(5.0 * 0.75 * std::exp(lnPhi[1]), 2e-5)},
            {15, single(std::exp(lnPhi[1]), 2e-5)},
            {32, single(mixture.roots(x, 300.0, 5.0).liquid, rootTolerance, " compressibility = ")},
        };
        break;
    }
    case MixtureMode::BubbleT: {
        const auto bubble = mixture.bubbleTemperature(half, 10.0);
        call = callEngine(member(), mode(), 0.0f, 10.0f, feed, {""});
        report = {
            {1, text(title("Bubble  temperature calculation using the ", " equation of state"))},
            {2, text("Pressure = 10 (bar)")},
            {3, single(bubble.value, temperatureTolerance, "Calculated bubble  temperature = ", " (K)")},
            {4, text("Component")},
            {5, text("Feed molefraction")},
            {6, text(wording().bubbleTemperatureVapour)},
            {7, text("K")},
            {32, count("Number of iterations = ")},
        };
        addSaturationRows(report, bubble.other, true);
        break;
    }
    case MixtureMode::DewT: {
        const auto dew = mixture.dewTemperature(half, 10.0);
        call = callEngine(member(), mode(), 0.0f, 10.0f, feed, {""});
        report = {
            {1, text(title("Dew  temperature calculation using the ", " Equation Of State"))},
            {2, text("Pressure = 10 (bar)")},
            {3, single(dew.value, temperatureTolerance, "Calculated dew  temperature = ", " (K)")},
            {4, text("Component ")},
            {5, text(wording().dewTemperatureFeed)},
            {6, text(" Liquid molfraction ")},
            {7, text("K")},
            {32, count("Number of iterations = ")},
        };
        addSaturationRows(report, dew.other, false);
        break;
    }
    case MixtureMode::BubbleP: {
        const auto bubble = mixture.bubblePressure(half, 300.0);
        call = callEngine(member(), mode(), 300.0f, 0.0f, feed, {""});
        report = {
            {1, text(title("Bubble  pressure calculation using the ", " equation of state"))},
            {2, text("Temperature = 300( K)")},
            {3, single(bubble.value, pressureTolerance, "Calculated bubble  pressure = ", " ( bar)")},
            {4, text("Component")},
            {5, text(" Feed molfraction")},
            {6, text(" Vapor molfraction ")},
            {7, text("  K  ")},
            {33, count("Number of iterations = ")},
        };
        addSaturationRows(report, bubble.other, true);
        break;
    }
    case MixtureMode::DewP: {
        const auto dew = mixture.dewPressure(half, 300.0);
        call = callEngine(member(), mode(), 300.0f, 0.0f, feed, {""});
        report = {
            {1, text(title("Dew  pressure calculation using the ", " equation of state"))},
            {2, text("Temperature = 300 (K)")},
            {3, single(dew.value, pressureTolerance, "Calculated dew  pressure = ", " ( bar)")},
            {4, text("Component")},
            {5, text("Feed Molefraction")},
            {6, text("Liquid Molefraction")},
            {7, text("K")},
            {32, count("Number of iterations = ")},
        };
        addSaturationRows(report, dew.other, false);
        break;
    }
    case MixtureMode::Flash: {
        // Inside each member's two-phase region at 300 K.
        const bool redlichKwong = member().equation == reference::Equation::RedlichKwong;
        const double P = redlichKwong ? 6.4 : 5.0;
        const auto flash = mixture.flash(half, 300.0, P);
        call = callEngine(member(), mode(), 300.0f, float(P), feed);
        report = {
            {1, text(title("Isothermal flash calculation using the ", " equation of state"))},
            {2, text("Temperature = 300 (K)")},
            {3, text(redlichKwong ? "Pressure    = 6.4 (bar)" : "Pressure    = 5 (bar)")},
            {4, text("Component")},
            {5, text("Feed molefraction")},
            {6, text(wording().flashLiquid)},
            {7, text(wording().flashVapour)},
            {8, text("K")},
            {39, text("Split")},
            {40, single(flash.L, fractionTolerance)},
            {41, single(1.0 - flash.L, fractionTolerance)},
            {42, single(mixture.roots(flash.x, 300.0, P).liquid, 1e-3)},
            {43, single(mixture.roots(flash.y, 300.0, P).vapour, 1e-3)},
            {44, count("Number of iterations = ")},
        };
        const char* names[] = {"propane", "n-butane"};
        for (int i = 0; i < 2; ++i) {
            const int j = 5 * i;
            report[9 + j] = text(names[i]);
            report[10 + j] = text("0.5");
            report[11 + j] = single(flash.x[i], fractionTolerance);
            report[12 + j] = single(flash.y[i], fractionTolerance);
            report[13 + j] = single(flash.y[i] / flash.x[i], ratioTolerance);
        }
        break;
    }
    }
    expectReport(call, report);
    EXPECT_EQ(call.modeAfter, 0);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, int>>& info)
{
    const char* modes[] = {"", "MolarVolume", "Fugacity", "BubbleT", "DewT", "BubbleP", "DewP", "Flash"};
    return std::string(members[std::get<0>(info.param)].name) + modes[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryMemberAndMode, MixtureReport,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(1, 8)), caseName);

} // namespace
} // namespace calvex::mixture::testing
