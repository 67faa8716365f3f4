// The prologue of the mixture runs, through a run that takes the bubble and dew runs' prologue
// and records what it hands on to the engine: the repair prompts with their exact
// texts, duplicate names, the state checks and conversions, the range checks and the faults
// that end a run with "error in command".

#include "mixture/windows/calculaterun.h"
#include "mixture/windows/engineruns.h"
#include "mixture/windows/mixturecalculator.h"
#include "pure/purecalculatorwindow.h"
#include "tests/mixture/windows/mixturefixture.h"

#include <cmath>
#include <filesystem>

namespace calvex::mixture::testing {
namespace {

using K = MixtureWindowKind;

struct Handed {
    MixtureRunState state;
    MixtureEngineFunction engine = nullptr;
};

struct Component {
    std::string name;
    std::optional<int> sno; // empty: "not listed"
    std::string fraction;
};

class Prologue : public MixtureWindowTest {
protected:
    // The prologue of the bubble-pressure run (a pressure run) or the bubble-temperature run
    // (a temperature run) on this reading.
    std::optional<Handed> run(K kind, const std::vector<Component>& components, const std::string& state,
                              const std::string& unit, std::optional<std::string> count = {})
    {
        SelectionReading reading;
        const bool pressureRun = mixtureWindowConfig(kind).asksTemperature;
        (pressureRun ? reading.temperatureText : reading.pressureText) = state;
        (pressureRun ? reading.temperatureUnit : reading.pressureUnit) = unit;
        reading.countText = count.value_or(std::to_string(components.size()));
        reading.optionnoText = option;
        MixtureCalculator calculator(kind, *services);
        for (std::size_t i = 0; i < components.size(); ++i) {
            SlotReading& slot = reading.components[i];
            slot.listText = components[i].sno ? components[i].name : "not listed";
            slot.sno = components[i].sno.value_or(0);
            slot.molFraction = components[i].fraction;
            calculator.Combo2_Click(static_cast<int>(i), slot.listText);
        }
        std::optional<Handed> handed;
        calculator.calculate(reading, [&](CalculateRun& r) {
            if (bubbleDewPrologue(r))
                handed = Handed{r.state(), r.engine()};
        });
        return handed;
    }

    std::unique_ptr<pure::PureWindowServices> services = pure::programWindowServices();
    std::string option = "2";
};

const Component propane{"propane", propaneSno, ".5"};
const Component butane{"n-butane", butaneSno, ".5"};

TEST_F(Prologue, AskedConstantsNameTheComponentWithTheirBlanksInOrder)
{
    // Component 2 "not listed" with an empty dialog: step 2 shows it (the user types only a
    // name), then the repair prompts ask per component Pc, fraction, Tc, Tb, omega.
    ui.onDialog(fillDialog({{0, "oil"}})).answer("30").answer(".25").answer("500").answer("350").answer("0.3");
    const auto handed = run(K::BubblePressure, {propane, {"", {}, ""}}, "300", "kelvin");
    ASSERT_TRUE(handed);
    EXPECT_EQ(ui.texts(), (Texts{"GetPcTcOmega2",
                                 "Please enter the Critical pressure(in bar) of  oil  it is unavailable",
                                 "invalid molfraction of oil value type number between 0 and 1",
                                 "Please enter the Critical Temperature(in kelvin) of  oil  it is unavailable",
                                 "Please enter the Normal Boiling  Temperature(in kelvin) of  oil it is unavailable",
                                 "Please enter the Acentric factor of  oil it is unavailable"}));
    const MixtureRunState& s = handed->state;
    EXPECT_EQ(s.n, 2);
    EXPECT_EQ(s.names[1], "propane");
    EXPECT_EQ(s.names[2], "oil");
    EXPECT_FLOAT_EQ(s.Pc[1], 42.48f);
    EXPECT_FLOAT_EQ(s.Tc[1], 369.83f);
    EXPECT_FLOAT_EQ(s.omega[1], 0.152f);
    EXPECT_FLOAT_EQ(s.Tb[1], 231.02f);
    EXPECT_FLOAT_EQ(s.z[1], 0.5f);
    EXPECT_EQ((std::array<float, 5>{s.Pc[2], s.z[2], s.Tc[2], s.Tb[2], s.omega[2]}),
              (std::array<float, 5>{30, 0.25f, 500, 350, 0.3f}));
    EXPECT_EQ(s.inputtext, "0.3");
    EXPECT_EQ(handed->engine, dewbubblePR);
}

TEST_F(Prologue, AnUnusableAnswerEndsTheRunWithItsMessage)
{
    // The dialog of component 1 holds these boxes (name, Tc, Pc, omega, Tb); the answers go
    // to the prompts in order; the last message ends the run.
    struct Row {
        std::vector<std::pair<int, std::string>> boxes;
        std::string fraction;
        Texts answers;
        std::string message;
    };
    const Row rows[] = {
        {{{0, "oil"}, {1, "500"}, {3, "0.3"}, {4, "350"}}, ".5", {"0"}, invalidInput},
        {{{0, "oil"}, {1, "500"}, {3, "0.3"}, {4, "350"}}, ".5", {""}, invalidInput},
        {{{0, "oil"}, {2, "30"}, {3, "0.3"}, {4, "350"}}, ".5", {"-5"}, "Tc cannot be negative so quiting"},
        {{{0, "oil"}, {1, "500"}, {2, "30"}, {3, "0.3"}}, ".5", {"-1"}, "Tb cannot be negative so quiting"},
        {{{0, "oil"}, {1, "500"}, {2, "30"}, {4, "350"}}, ".5", {"-0.1"}, "omega cannot be negative so quiting"},
        {{{0, "oil"}, {1, "500"}, {2, "30"}, {4, "350"}}, ".5", {"0"}, invalidInput},
        {{{0, "oil"}, {1, "500"}, {2, "30"}, {3, "0.3"}, {4, "350"}}, "", {"1"}, invalidInput},
        {{{0, "oil"}, {1, "500"}, {2, "30"}, {3, "0.3"}, {4, "350"}}, "", {"0"}, invalidInput},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message + " after '" + row.answers.front() + "'");
        restart();
        // Entering the Tc box would fill the boxes from the record an earlier row confirmed.
        std::filesystem::remove(folder.file("Filedatabase.dat"));
        ui.onDialog(fillDialog(row.boxes));
        services::ui().showModal(*services->dialog("GetPcTcOmega1"));
        for (const std::string& answer : row.answers)
            ui.answer(answer);
        EXPECT_FALSE(run(K::BubblePressure, {{"", {}, row.fraction}, butane}, "300", "kelvin"));
        EXPECT_EQ(ui.messages(), Texts{row.message});
    }
}

TEST_F(Prologue, DuplicateNamesAreRefusedAfterEveryPrompt)
{
    ui.answer(".5");
    EXPECT_FALSE(run(K::BubblePressure, {{"propane", propaneSno, ""}, propane}, "300", "kelvin"));
    EXPECT_EQ(ui.texts(), (Texts{"invalid molfraction of propane value type number between 0 and 1",
                                 "Two or more components cannot have same name so exiting"}));
}

TEST_F(Prologue, TheStateIsCheckedConvertedThenRangeChecked)
{
    // Kind, state text and unit, the answer to its prompt (if any), the texts shown, and the
    // value handed on (K or bar; 0: the run ended).
    struct Row {
        K kind;
        std::string text, unit;
        std::optional<std::string> answer;
        Texts shown;
        float handed;
    };
    const Texts temperatureRefused{"Temperature cannot be zero or negative", "Enter valid Temperature in kelvin"};
    const Texts pressureRefused{"Pressure cannot be zero ", "Enter valid Pressure in bar"};
    const std::string aboveTc = "T is greater than Tc of one of conponent \r\n so no calculation possible";
    const std::string atPc = "P is greater than or equal to  Pc of one of conponent \r\n so no calculation possible";
    const Row rows[] = {
        {K::BubblePressure, "25", "celsius", {}, {}, 298.15f},
        {K::BubblePressure, "-40", "celsius", {}, {}, 233.15f},
        {K::BubblePressure, "80.6", "fahrenheit", {}, {}, 300.15f},
        {K::BubblePressure, "-300", "celsius", "300", temperatureRefused, 300},
        {K::BubblePressure, "-500", "fahrenheit", "300", temperatureRefused, 300},
        {K::BubblePressure, "", "kelvin", "", temperatureRefused, 0},
        {K::BubblePressure, "", "celsius", "300", temperatureRefused, 300},
        {K::BubblePressure, "-.", "fahrenheit", "", temperatureRefused, 0},
        {K::BubblePressure, "369.83", "kelvin", {}, {}, 369.83f},
        {K::BubblePressure, "369.84", "kelvin", {}, {aboveTc}, 0},
        {K::BubbleTemperature, "2", "atm", {}, {}, 2.026f},
        {K::BubbleTemperature, "101.3", "kpa", {}, {}, 1.013f},
        {K::BubbleTemperature, "", "psia", "5", pressureRefused, 5},
        {K::BubbleTemperature, "1e37", "Mpa", "5", pressureRefused, 5},
        {K::BubbleTemperature, "0", "bar", "-1", pressureRefused, 0},
        {K::BubbleTemperature, "37.96", "bar", {}, {atPc}, 0},
        {K::BubbleTemperature, "37.95", "bar", {}, {}, 37.95f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text + " " + row.unit);
        ui.clear();
        if (row.answer)
            ui.answer(*row.answer);
        const auto handed = run(row.kind, {propane, butane}, row.text, row.unit);
        EXPECT_EQ(ui.texts(), row.shown);
        ASSERT_EQ(handed.has_value(), row.handed != 0);
        if (handed) {
            EXPECT_FLOAT_EQ(row.kind == K::BubblePressure ? handed->state.T : handed->state.P, row.handed);
        }
    }
}

TEST_F(Prologue, ADatabaseOmegaOfZeroStandsAndAMissingRowEndsTheRun)
{
    const auto handed = run(K::BubblePressure, {{"air", airSno, ".5"}, {"nitrogen", nitrogenSno, ".5"}}, "100", "kelvin");
    ASSERT_TRUE(handed);
    EXPECT_EQ(handed->state.omega[1], 0);
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_FALSE(run(K::BubblePressure, {propane, {"gone", 9999, ".5"}}, "300", "kelvin"));
    EXPECT_EQ(ui.messages(), Texts{"component not found in the database"});
}

TEST_F(Prologue, CountsWithoutSlotsAndOptionsWithoutMembers)
{
    for (const std::string count : {"", "0", "7", "9", "x", "-1"}) {
        ui.clear();
        EXPECT_FALSE(run(K::BubbleTemperature, {propane, butane}, "5", "bar", count)) << count;
        EXPECT_EQ(ui.messages(), Texts{commandFailure}) << count;
    }
    const std::pair<std::string, MixtureEngineFunction> options[] = {
        {"3", dewbubbleRK}, {"4", dewbubbleSRK}, {"1", nullptr}, {"5", nullptr}};
    for (const auto& [text, engine] : options) {
        option = text;
        const auto handed = run(K::BubbleTemperature, {propane, butane}, "5", "bar");
        ASSERT_TRUE(handed);
        EXPECT_EQ(handed->engine, engine) << text;
    }
}

} // namespace
} // namespace calvex::mixture::testing
