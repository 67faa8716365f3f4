// Every answer, report line, message and prompt of the pure-component core, the mixture routines
// and the mixture engine over a fixed grid of states, against the dump carried beside this file.
// Work on speed must leave all of it identical. A change of behaviour made on purpose writes a
// new dump with CALVEX_WRITE_ANSWER_DUMP=1 set, and says so in its commit.

#include "core/compressibility.h"
#include "core/departure.h"
#include "core/enthalpyentropy.h"
#include "core/fugacity.h"
#include "core/saturationpressure.h"
#include "core/saturationtemperature.h"
#include "mixture/engine/mixtureengine.h"
#include "mixture/engine/mixtureeos.h"
#include "services/ui.h"
#include "tests/core/coretestsupport.h"
#include "tests/mixture/engine/enginecall.h"
#include "tests/mixture/engine/eostestsupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace calvex::mixture::testing {
namespace {

const char* const dumpFile = CALVEX_ANSWER_DUMP;

// A state value in the dump's labels: six decimals, as std::to_string writes them in the C locale.
std::string stateText(double value)
{
    char buffer[400];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr};
}

// One line per item: what it is, then its value. Numbers in hexadecimal, exact to the bit.
class Dump {
public:
    // The state the following items belong to.
    void begin(const std::string& state) { m_out << '@' << state << '\n'; }
    void text(const std::string& key, std::string_view value)
    {
        m_out << key << '=';
        for (char c : value)
            m_out << (c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c));
        m_out << '\n';
    }
    void number(const std::string& key, double value)
    {
        // %a's text, written whatever the locale: to_chars leaves out only the "0x".
        char buffer[40];
        char* const end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::hex).ptr;
        std::string written(buffer, end);
        if (std::isfinite(value))
            written.insert(std::signbit(value) ? 1 : 0, "0x");
        text(key, written);
    }
    template <std::size_t N>
    void numbers(const std::string& key, const std::array<float, N>& values)
    {
        for (std::size_t i = 0; i < N; ++i)
            number(key + "[" + std::to_string(i) + "]", values[i]);
    }
    template <class Optional>
    void result(const std::string& key, const Optional& value)
    {
        if (value)
            numbers(key, *value);
        else
            text(key, "empty");
    }
    // The report lines a call wrote: those no longer holding the caller's filler.
    void lines(const std::string& key, const services::ResultLines& lines, const std::string& filler)
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i] != filler)
                text(key + "#" + std::to_string(i), lines[i]);
    }
    std::string str() const { return m_out.str(); }

private:
    std::ostringstream m_out;
};

// Shows nothing: every message, prompt and question goes into the dump, and every prompt is
// answered as Cancel answers it, so that each mode takes its own default guesses.
class RecordingUi final : public services::Ui {
public:
    explicit RecordingUi(Dump& dump) : m_dump(dump), m_scope(*this) {}
    void message(const std::string& text, const std::string&) override { m_dump.text("message", text); }
    void message(const std::string& text, const std::string&, Icon) override { m_dump.text("message", text); }
    std::string ask(const std::string& prompt, const std::string&, const std::string&) override
    {
        m_dump.text("prompt", prompt);
        return {};
    }
    bool yesNo(const std::string& text, const std::string&, Question) override
    {
        m_dump.text("question", text);
        return false;
    }
    void showModal(services::ModalDialog& dialog) override { m_dump.text("dialog", dialog.dialogName()); }

private:
    Dump& m_dump;
    services::ScopedUi m_scope;
};

using core::EosHost;
using core::EosState;
using Eos1 = calvex::testing::reference::Eos;

EosState pureState(EosHost host, const calvex::testing::DatabaseRow& row, int optionno)
{
    EosState state = calvex::testing::stateFor(host, row, static_cast<Eos1>(optionno));
    // Ideal-gas Cp of propane for every fluid: the numbers only need to be the same each run.
    state.component.CPVAPA = 15.38936f;
    state.component.CPVAPB = 0.19355f;
    state.component.CPVAPC = 3.357778e-05f;
    state.component.CPVAPD = -7.055147e-08f;
    return state;
}

void dumpCore(Dump& dump)
{
    const calvex::testing::DatabaseRow rows[] = {calvex::testing::propane, calvex::testing::water,
                                                 calvex::testing::nDecane, calvex::testing::helium};
    for (const auto& row : rows) {
        for (int optionno = 1; optionno <= 4; ++optionno) {
            const std::string fluid = std::string(row.name) + " eos " + std::to_string(optionno);
            for (double Tr : {0.5, 0.7, 0.9, 1.1}) {
                for (double pr : {0.01, 0.3, 1.0, 3.0}) {
                    const float T = static_cast<float>(Tr * row.Tc);
                    const float p = static_cast<float>(pr * row.Pc_bar * 1e5);
                    const std::string at = fluid + " T " + stateText(Tr) + " p " + stateText(pr);
                    dump.begin(at);

                    EosState volume = pureState(EosHost::MolarVolumeCalculator, row, optionno);
                    volume.stepsflag = 1;
                    const auto roots = core::compressibilityRoots(volume, T, p);
                    if (roots) {
                        dump.numbers("Z", roots->roots);
                        const auto& d = roots->details;
                        dump.numbers("Cardan", std::array<float, 5>{d.D, d.p, d.q, d.r(), d.phi()});
                        dump.text("one root", roots->singleRealRoot() ? "1" : "0");
                        for (float Z : {roots->roots[0], roots->roots[2]})
                            dump.result("departure", core::Departure(volume, T, p, Z));
                    }
                    dump.lines("steps", volume.result, "");

                    EosState fugacity = pureState(EosHost::PureComponentFugacityCalculator, row, optionno);
                    fugacity.T = T;
                    dump.result("fugacity", core::Fugasitycal(fugacity, p));

                    EosState enthalpy = pureState(EosHost::EnthalpyCalculator, row, optionno);
                    enthalpy.T = T;
                    enthalpy.p = p;
                    enthalpy.Tref = static_cast<float>(0.6 * row.Tc);
                    enthalpy.stepsflag = 1;
                    dump.result("eecal", core::eecal(enthalpy));
                    dump.lines("eecal", enthalpy.result, "");
                }
            }
            for (double Tr : {0.35, 0.6, 0.8, 0.95, 1.05}) {
                for (EosHost host : {EosHost::SaturationPressureCalculator, EosHost::MolarVolumeCalculator,
                                     EosHost::EnthalpyCalculator, EosHost::Datapoints}) {
                    EosState state = pureState(host, row, optionno);
                    state.T = static_cast<float>(Tr * row.Tc);
                    const std::string at = fluid + " Psat T " + stateText(Tr) + " host " +
                                           std::to_string(static_cast<int>(host));
                    dump.begin(at);
                    dump.number("", core::Psatcal(state));
                    dump.lines("", state.result, "");
                }
            }
            for (double pr : {1e-4, 0.01, 0.2, 0.7, 1.2}) {
                EosState state = pureState(EosHost::SaturationTemperatureCalculator, row, optionno);
                state.p = static_cast<float>(pr * row.Pc_bar * 1e5);
                const std::string at = fluid + " Tsat p " + stateText(pr);
                dump.begin(at);
                dump.number("", core::Tsatcal(state));
                dump.lines("", state.result, "");
            }
        }
    }
}

void dumpMixtureRoutines(Dump& dump)
{
    const Component propane{369.83f, 42.48e5f, 0.152f};
    const struct {
        const char* name;
        std::vector<Component> components;
        std::vector<float> y;
    } mixtures[] = {{"methane+butane", {methane, butane}, {0.3f, 0.7f}},
                    {"methane+propane+butane", {methane, propane, butane}, {0.2f, 0.3f, 0.5f}}};
    const struct {
        float T, P; // K, Pa
    } states[] = {{250.0f, 1e6f}, {300.0f, 5e6f}, {400.0f, 2e6f}, {200.0f, 1e5f}};
    for (const auto& mixture : mixtures) {
        for (const Equation& equation : equations) {
            for (MixtureHost host : {MixtureHost::PartialFugacity, MixtureHost::MixtureFugacity,
                                     MixtureHost::MixtureDeparture}) {
                for (const auto& s : states) {
                    const std::string at = std::string(mixture.name) + " " + equation.name + " host " +
                                           std::to_string(static_cast<int>(host)) + " T " + stateText(s.T) +
                                           " P " + stateText(s.P);
                    dump.begin(at);
                    MixtureState state = stateOf(mixture.components, mixture.y, equation.optionno, host);
                    const auto call = [&](const std::string& what, const EosResult& result) {
                        dump.result(what, result);
                        dump.lines(what, state.out, untouched);
                        state.out.assign(state.out.size(), untouched);
                    };
                    call("ab", equation.ab(state, s.T, s.P));
                    call("Zcal", equation.Zcal(state, s.T, s.P));
                    for (std::int16_t i = 0; i < state.nos; ++i)
                        call("partial " + std::to_string(i), eos::phycal(state, s.T, s.P, i));
                    call("phycal", eos::phycal(state, s.T, s.P));
                    call("Departurecal", eos::Departurecal(state, s.T, s.P));
                }
            }
        }
    }
}

void dumpEngine(Dump& dump)
{
    const struct {
        const char* name;
        Feed feed;
    } feeds[] = {{"propane+butane", propaneButane()},
                 {"methane+butane", methaneButane()},
                 {"six", Feed{}
                             .add("methane", 190.56f, 45.99f, 0.011f, 111.66f, 0.3f)
                             .add("ethane", 305.32f, 48.72f, 0.099f, 184.55f, 0.1f)
                             .add("propane", 369.83f, 42.48f, 0.152f, 231.02f, 0.15f)
                             .add("n-butane", 425.12f, 37.96f, 0.2f, 272.66f, 0.15f)
                             .add("n-hexane", 507.6f, 30.25f, 0.3f, 341.88f, 0.2f)
                             .add("n-decane", 617.7f, 21.1f, 0.49f, 447.3f, 0.1f)}};
    const struct {
        float T, P; // K, bar
    } states[] = {{300.0f, 10.0f}, {250.0f, 5.0f}, {350.0f, 20.0f}, {200.0f, 1.0f}};
    for (const auto& [name, feed] : feeds) {
        for (const Member& member : members) {
            for (std::int16_t mode = 1; mode <= 7; ++mode) {
                for (const auto& s : states) {
                    const std::string at = std::string(name) + " " + member.name + " mode " + std::to_string(mode) +
                                           " T " + stateText(s.T) + " P " + stateText(s.P);
                    dump.begin(at);
                    services::ResultLines out(45, untouched);
                    std::int16_t modeArgument = mode;
                    const MixtureResult result = member.engine(modeArgument, s.T, s.P, feed.n(), feed.names, feed.Tc,
                                                               feed.Pc, feed.omega, feed.Tb, feed.z, out);
                    dump.text("kind", std::to_string(static_cast<int>(result.kind)));
                    dump.numbers("volumes", result.volumes);
                    dump.number("number", result.number);
                    dump.text("flashok", std::to_string(result.flashok));
                    dump.text("mode after", std::to_string(modeArgument));
                    dump.lines("", out, untouched);
                }
            }
        }
    }
}

std::string answers()
{
    Dump dump;
    RecordingUi ui(dump);
    dumpCore(dump);
    dumpMixtureRoutines(dump);
    dumpEngine(dump);
    return dump.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(AnswerDump, EveryAnswerAndReportLineIsAsCarried)
{
    const std::string now = answers();
    if (std::getenv("CALVEX_WRITE_ANSWER_DUMP")) {
        std::ofstream(dumpFile, std::ios::binary) << now;
        GTEST_SKIP() << "wrote " << dumpFile;
    }
    std::ifstream in(dumpFile, std::ios::binary);
    ASSERT_TRUE(in) << dumpFile;
    const std::string carried((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (now == carried)
        return;
    const auto expected = linesOf(carried);
    const auto actual = linesOf(now);
    std::size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i])
        ++i;
    FAIL() << "first difference at line " << i + 1 << ":\n  carried: " << (i < expected.size() ? expected[i] : "(end)")
           << "\n  now:     " << (i < actual.size() ? actual[i] : "(end)");
}

} // namespace
} // namespace calvex::mixture::testing
