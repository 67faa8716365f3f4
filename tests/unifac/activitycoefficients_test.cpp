// UNIFAC activity coefficients on the window's rows, against an independent textbook UNIFAC in
// this test and against published and independently solved values.
#include "unifac/activitycoefficients.h"

#include "services/numbers.h"
#include "tests/support/localescope.h"
#include "tests/unifac/referenceunifac.h"
#include "unifac/builderrules.h"
#include "unifac/subgrouptable.h"
#include "unifac/unifacmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace calvex::unifac {
namespace {

// Values solved independently in double precision are given to 5-6 significant digits.
constexpr double solvedTolerance = 2e-5;
// The reference differs from the program only in its summation order.
constexpr double referenceTolerance = 1e-10;

struct Mixture {
    std::vector<std::string> groups;
    std::vector<std::string> fractions;
    std::string temperature;
    int unit = Kelvin;
};

class UnifacActivity : public ::testing::Test {
protected:
    void SetUp() override { InitUnifacTables(); }

    UnifacSheet sheetFor(const Mixture& mixture)
    {
        UnifacSheet sheet;
        sheet.temperature = mixture.temperature;
        sheet.unitIndex = mixture.unit;
        for (std::size_t i = 0; i < mixture.groups.size(); ++i) {
            list.AddComponent("c" + std::to_string(list.ComponentCount() + 1), mixture.groups[i]);
            sheet.rows[i].component = list.ComponentCount();
            sheet.rows[i].moleFraction = i < mixture.fractions.size() ? mixture.fractions[i] : "";
        }
        return sheet;
    }

    // The textbook UNIFAC at the fractions the program read back from its boxes.
    static std::vector<double> reference(const Mixture& mixture, const UnifacSheet& sheet)
    {
        const testing::ReferenceMixture reference = testing::referenceMixture(mixture.groups);
        std::vector<double> x;
        for (std::size_t i = 0; i < mixture.groups.size(); ++i)
            x.push_back(services::val(sheet.rows[i].moleFraction));
        return testing::referenceUnifac(reference.groups, reference.counts, x, temperatureInKelvin(services::val(mixture.temperature), mixture.unit),
                                        InteractionTable);
    }

    UnifacComponentList list;
};

const std::string octane = "1,2;2,6;", water = "17,1;", ethanol = "1,1;2,1;15,1;";
const std::vector<std::string> defaults = {"10,6;", "10,5;54,1;", "1,1;10,5;13,1;", "1,2;2,6;", "10,5;12,1;", "17,1;"};

TEST_F(UnifacActivity, KnownSystems)
{
    struct Case {
        Mixture mixture;
        std::vector<double> gamma;        // independently solved; empty where only captions are known
        std::vector<std::string> captions; // without the three leading blanks
        const char* source;
    };
    const std::vector<Case> cases = {
        {{{octane, water}, {"0.5", "0.5"}, "298.15"}, {3.02925, 5.93978}, {"3.0293E00", "5.9398E00"}, "worked example"},
        {{{octane, water}, {"0.5", "0.5"}, "350"}, {2.86384, 5.54073}, {}, "double-precision solve"},
        {{{"1,1;19,1;", "1,2;2,3;"}, {"0.047", "0.953"}, "307"}, {}, {"4.9920E00", "1.0053E00"}, "Poling: 4.99, 1.005"},
        {{{"1,2;2,4;", "1,1;2,1;19,1;"}, {"0.5", "0.5"}, "333.15"}, {1.42760, 1.36465}, {}, "double-precision solve"},
        {{{ethanol, "10,6;"}, {"0.2", "0.8"}, "345"}, {2.91000, 1.10386}, {}, "double-precision solve"},
        {{{ethanol, water}, {"0.5", "0.5"}, "298.15"}, {}, {"1.2037E00", "1.4967E00"}, "double-precision solve"},
        {{{"1,2;3,1;15,1;", water, "1,1;2,1;43,1;", ethanol, "1,2;2,3;"}, {".1", ".05", ".1", ".25", ".5"}, "353.52"},
         {}, {"1.2774E00", "8.0171E00", "1.1282E00", "1.4859E00", "1.7574E00"}, "double-precision solve"},
        {{defaults, {}, "300"}, {},
         {"1.2754E00", "6.1783E-01", "1.2897E00", "1.7407E00", "1.2690E00", "2.0742E01"}, "double-precision solve"},
    };
    for (const Case& c : cases) {
        UnifacSheet sheet = sheetFor(c.mixture);
        UnifacSheet captions = sheet;
        const std::vector<double> gamma = unifacGammas(sheet, list);
        const std::vector<double> expected = reference(c.mixture, sheet);
        for (std::size_t j = 0; j < expected.size(); ++j) {
            EXPECT_NEAR(gamma[j + 1], expected[j], referenceTolerance * expected[j]) << c.source << " component " << j + 1;
            if (!c.gamma.empty()) {
                EXPECT_NEAR(gamma[j + 1], c.gamma[j], solvedTolerance) << c.source << " component " << j + 1;
            }
        }
        CalcActivityCoefficients(captions, list);
        for (std::size_t j = 0; j < c.captions.size(); ++j)
            EXPECT_EQ(captions.rows[j].actCoeff, "   " + c.captions[j]) << c.source << " component " << j + 1;
    }
}

TEST_F(UnifacActivity, EmptyFractionsOfTheSixDefaultsAreOneSixthEach)
{
    UnifacSheet sheet = sheetFor({defaults, {}, "300"});
    CalcActivityCoefficients(sheet, list);
    for (const UnifacRow& row : sheet.rows)
        EXPECT_EQ(row.moleFraction, "1.667E-01");
}

TEST_F(UnifacActivity, EsterAndWaterUseThePublishedPair)
{
    // Water at infinite dilution in ethyl acetate; published about 9.97 for this parameter pair.
    UnifacSheet sheet = sheetFor({{"1,1;2,1;22,1;", water}, {"1", "0"}, "298.15"});
    const std::vector<double> gamma = unifacGammas(sheet, list);
    EXPECT_EQ(sheet.rows[1].moleFraction, "1.000E-100");
    EXPECT_NEAR(gamma[2], 9.97, 0.01);
    EXPECT_NEAR(gamma[2], reference({{"1,1;2,1;22,1;", water}, {"1", "1e-100"}, "298.15"}, sheet)[1], 1e-9);
}

TEST_F(UnifacActivity, UnitsGiveTheSameCoefficients)
{
    UnifacSheet kelvin = sheetFor({{octane, water}, {"0.5", "0.5"}, "298.15"});
    CalcActivityCoefficients(kelvin, list);
    for (const auto& [value, unit] : std::vector<std::pair<std::string, int>>{{"25", Celsius}, {"77", Fahrenheit}, {"536.67", Rankine}}) {
        UnifacSheet sheet = sheetFor({{octane, water}, {"0.5", "0.5"}, value, unit});
        EXPECT_NEAR(temperatureInKelvin(services::val(value), unit), 298.15, 1e-9) << value;
        CalcActivityCoefficients(sheet, list);
        EXPECT_EQ(sheet.rows[0].actCoeff, kelvin.rows[0].actCoeff) << value;
        EXPECT_EQ(sheet.rows[1].actCoeff, kelvin.rows[1].actCoeff) << value;
    }
}

TEST_F(UnifacActivity, Normalisation)
{
    struct Case { std::vector<std::string> typed; std::vector<std::string> after; };
    const std::vector<Case> cases = {
        {{"0.1", "0.2", "0.7"}, {"0.1", "0.2", "0.7"}},  // sums to exactly 1 in row order
        {{"0.7", "0.2", "0.1"}, {"7.000E-01", "2.000E-01", "1.000E-01"}}, // sums to 0.9999999999999999
        {{"", ""}, {"5.000E-01", "5.000E-01"}},
        {{"0.25", "0.25"}, {"5.000E-01", "5.000E-01"}},
        {{"0", "1"}, {"1.000E-100", "1"}},
        {{"1.5e-3", "0"}, {"1.000E00", "1.000E-100"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> groups(c.typed.size(), octane);
        groups.back() = water;
        UnifacSheet sheet = sheetFor({groups, c.typed, "300"});
        CalcActivityCoefficients(sheet, list);
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(sheet.rows[i].moleFraction, c.after[i]) << c.typed[0] << "," << c.typed[1];
    }
    // A row set back to "<< empty >>" keeps its text, and its value no longer counts in the sum.
    UnifacSheet sheet = sheetFor({{octane, water, ethanol}, {"0.3", "0.3", "0.4"}, "300"});
    sheet.rows[2].component = 0;
    CalcActivityCoefficients(sheet, list);
    EXPECT_EQ(sheet.rows[0].moleFraction, "5.000E-01");
    EXPECT_EQ(sheet.rows[1].moleFraction, "5.000E-01");
    EXPECT_EQ(sheet.rows[2].moleFraction, "0.4");
    EXPECT_EQ(sheet.rows[2].actCoeff, "");
}

TEST_F(UnifacActivity, FailuresGiveOneE100)
{
    const std::string failed = "   1.0000E100";
    struct Case { Mixture mixture; std::vector<bool> fails; const char* what; };
    const std::vector<Case> cases = {
        {{{octane, "abc"}, {"0.5", "0.5"}, "300"}, {false, true}, "unparsable list"},
        {{{octane, ""}, {"0.5", "0.5"}, "300"}, {false, true}, "blank list"},
        {{{octane, "85,1;"}, {"0.5", "0.5"}, "300"}, {false, true}, "subgroup outside 1..84"},
        {{{octane, "4,1;"}, {"0.5", "0.5"}, "300"}, {false, true}, "surface area 0"},
        {{{"abc", ""}, {"0.5", "0.5"}, "300"}, {true, true}, "no list parses"},
        {{{octane, water}, {"0.5", "0.5"}, "0"}, {true, true}, "0 K"},
        {{{octane, water}, {"0.5", "0.5"}, "1"}, {true, true}, "interaction underflows at 1 K"},
        {{{octane, water}, {"0.5", "1e999"}, "300"}, {true, true}, "infinite fraction"},
        {{{"", octane}, {"1", "0"}, "300"}, {true, true}, "blank list beside a trace component: underflow to 0"},
        {{{"2,2;42,-9159;", water}, {"0.001", "0.999"}, "300"}, {true, true}, "negative count: underflow to 0"},
    };
    for (const Case& c : cases) {
        UnifacSheet sheet = sheetFor(c.mixture);
        CalcActivityCoefficients(sheet, list);
        for (std::size_t j = 0; j < c.fails.size(); ++j) {
            EXPECT_EQ(sheet.rows[j].actCoeff == failed, c.fails[j]) << c.what << " component " << j + 1;
        }
    }
}

// Lists only a file written elsewhere holds; their coefficients fall below the double or the
// single-precision range, and the runs get a failure rather than a coefficient of 0.
TEST_F(UnifacActivity, CoefficientsLostToUnderflowFailTheRuns)
{
    struct Case { std::vector<std::string> groups; float x1; const char* what; };
    const std::vector<Case> cases = {
        {{"2,2;42,-9159;", "1,-1;"}, 0.001f, "0 in double"},
        {{"2,2;42,-9159;", "1,-1;"}, 0.002f, "about 1e-211: 0 in single precision"},
    };
    for (const Case& c : cases) {
        UnifacSheet sheet = sheetFor({c.groups, {}, "300"});
        const UnifacModel model(sheet, list);
        EXPECT_FALSE(model.gammacal(c.x1, 300.0f).has_value()) << c.what;
    }
}

TEST_F(UnifacActivity, SameComponentTwiceAndNoRows)
{
    UnifacSheet sheet = sheetFor({{octane}, {"0.5"}, "300"});
    sheet.rows[3] = {sheet.rows[0].component, "0.5", ""};
    CalcActivityCoefficients(sheet, list);
    EXPECT_EQ(sheet.rows[0].actCoeff, "   1.0000E00");
    EXPECT_EQ(sheet.rows[3].actCoeff, "   1.0000E00");

    UnifacSheet none;
    none.temperature = "300";
    none.rows[0] = {0, "0.3", "old"};
    CalcActivityCoefficients(none, list);
    EXPECT_EQ(none.rows[0].moleFraction, "0.3");
    EXPECT_EQ(none.rows[0].actCoeff, "old");
}

// The texts of the window's boxes and captions, read back as the next Calculate reads them, are
// the same under a decimal-comma language as under C.
TEST(UnifacFormats, PatternsAlikeUnderADecimalCommaLanguage)
{
    const struct {
        std::function<std::string()> text;
        const char* underC;
    } rows[] = {
        {[] { return coefficientCaption(1.2345); }, "   1.2345E00"},
        {[] { return coefficientCaption(1.23e-4); }, "   1.2300E-04"},
        {[] { return coefficientCaption(1e100); }, "   1.0000E100"},
        {[] { return coefficientCaption(9.99996); }, "   1.0000E01"},
        {[] { return coefficientCaption(HUGE_VAL); }, "   INF"},
        {[] { return fractionText(0.25); }, "2.500E-01"},
        {[] { return fractionText(1.0 / 6.0); }, "1.667E-01"},
        {[] { return services::doubleText(services::val(fractionText(0.5))); }, "0.5"},
        {[] { return totalText(1.8022f); }, "1.8022"},
        {[] { return totalText(3.0f); }, "3."},
    };
    for (const char* locale : {"C", calvex::testing::decimalCommaLocale}) {
        calvex::testing::LocaleScope scope(locale);
        for (const auto& row : rows)
            EXPECT_EQ(row.text(), row.underC) << row.underC << " under " << locale;
    }
}

} // namespace
} // namespace calvex::unifac
