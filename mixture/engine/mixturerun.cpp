#include "mixture/engine/mixturerun.h"

#include "services/numbers.h"
#include "services/ui.h"

#include <optional>

namespace calvex::mixture {

using services::singleText;

MixtureRun::MixtureRun(const MixtureEngineTraits& equation, const MixtureArguments& arguments)
    : m_equation(equation), m_arguments(arguments)
{
}

MixtureResult MixtureRun::run(std::int16_t& mode)
{
    MixtureWork& w = m_work;
    try {
        if (m_arguments.n < 1 || m_arguments.n > maxMixtureComponents)
            fault();
        w.n = m_arguments.n;
        w.Tc = m_arguments.Tc;
        w.Pc = m_arguments.Pc;
        w.omega = m_arguments.omega;
        w.firstpass = 1;
        w.flashok = 1;
        w.modeIn = mode;
        for (int i = 1; i <= w.n; ++i)
            w.cname[i] = at(m_arguments.names, i);
        for (int i = 1; i <= w.n; ++i)
            for (int j = 1; j <= w.n; ++j)
                w.kij[i][j] = 0;

        if (mode != 0) {
            w.firstpass = 0;
            switch (static_cast<MixtureMode>(mode)) {
            case MixtureMode::MolarVolume: molarVolume(); break;
            case MixtureMode::Fugacity: fugacity(); break;
            case MixtureMode::BubbleT: temperatureSearch(true); break;
            case MixtureMode::DewT: temperatureSearch(false); break;
            case MixtureMode::BubbleP: pressureSearch(true); break;
            case MixtureMode::DewP: pressureSearch(false); break;
            case MixtureMode::Flash: flash(); break;
            default: break;
            }
            mode = 0;
        }
    } catch (const ArithmeticFault&) {
        services::ui().message("Invalid data passed so exiting");
        return {};
    }

    MixtureResult result;
    switch (w.modeIn) {
    case modeNumber(MixtureMode::MolarVolume):
        result.kind = MixtureResult::Kind::Volumes;
        result.volumes = w.Vmol;
        break;
    case modeNumber(MixtureMode::BubbleT):
    case modeNumber(MixtureMode::DewT):
        result.kind = MixtureResult::Kind::Number;
        result.number = w.Twork;
        break;
    case modeNumber(MixtureMode::BubbleP):
    case modeNumber(MixtureMode::DewP):
        result.kind = MixtureResult::Kind::Number;
        result.number = w.Pwork;
        break;
    case modeNumber(MixtureMode::Flash):
        result.kind = MixtureResult::Kind::FlashFlag;
        result.flashok = w.flashok;
        break;
    default: break;
    }
    return result;
}

void MixtureRun::normalise(std::span<const float> values)
{
    MixtureWork& w = m_work;
    if (w.n == 1) {
        w.znorm[1] = 1;
        return;
    }
    w.zsum = 0;
    for (int i = 1; i <= w.n; ++i)
        w.zsum = single(double(w.zsum) + at(values, i));
    for (int i = 1; i <= w.n; ++i)
        w.znorm[i] = single(quotient(at(values, i), w.zsum));
}

float MixtureRun::boilingLine(int i, float T) { return single(exponential(boilingLineExponent(i, T))); }

double MixtureRun::boilingLineExponent(int i, float T)
{
    const double Tc = at(m_arguments.Tc, i);
    const double Pc = at(m_arguments.Pc, i);
    const double Tb = at(m_arguments.Tb, i);
    const double lnPc = m_equation.boilingLineTakesAbsolutePc ? logOfAbs(Pc) : naturalLog(Pc);
    const double inverseTb = quotient(1.0, Tb);
    return lnPc * quotient(quotient(1.0, T) - inverseTb, quotient(1.0, Tc) - inverseTb);
}

float MixtureRun::highTemperatureEstimate(int i, float T)
{
    const double Pc = at(m_arguments.Pc, i);
    m_work.Tr = single(quotient(T, at(m_arguments.Tc, i)));
    const double Tr = m_work.Tr;
    return single(Pc * exponential(7.224 - 2.598 * naturalLog(Tr) - quotient(7.534, Tr)));
}

float MixtureRun::switchedEstimate(int i, float T)
{
    if (single(1.1 * at(m_arguments.Tc, i)) >= T)
        return boilingLine(i, T);
    return highTemperatureEstimate(i, T);
}

void MixtureRun::phaseFugacities(const ComponentValues& composition, bool liquid, ComponentValues& fugacities,
                                 float& Z)
{
    MixtureWork& w = m_work;
    for (int i = 1; i <= w.n; ++i)
        w.xtrial[i] = composition[i];
    w.liquidflag = liquid ? 1.0f : 0.0f;
    SolveMixtureZ(w, m_equation);
    for (int i = 1; i <= w.n; ++i)
        fugacities[i] = w.fug[i];
    Z = w.Zf;
}

float MixtureRun::answer(std::string_view prompt, bool strict)
{
    const std::string text = services::ui().ask(std::string(prompt));
    if (!strict)
        return single(services::val(text));
    const auto number = services::strictNumber(text);
    if (!number)
        fault();
    return single(*number);
}

void MixtureRun::write(int line, std::string_view text) { writeJoined(line, {text}); }

void MixtureRun::writeJoined(int line, std::initializer_list<std::string_view> pieces)
{
    std::string& text = at(m_arguments.out, line);
    text.clear();
    for (std::string_view piece : pieces)
        text += piece;
}

void MixtureRun::writeTitle(int line, std::string_view before, std::string_view after)
{
    writeJoined(line, {before, m_equation.equationWords, after});
}

void MixtureRun::writeSaturationRows(const std::array<std::string_view, 4>& headings, const ComponentValues& given,
                                     const ComponentValues& trial)
{
    const MixtureWork& w = m_work;
    for (int k = 0; k < 4; ++k)
        write(4 + k, headings[k]);
    for (int i = 1; i <= w.n; ++i) {
        const int j = 4 * (i - 1);
        write(8 + j, w.cname[i]);
        write(9 + j, singleText(given[i]));
        write(10 + j, singleText(trial[i]));
        write(11 + j, singleText(w.K[i]));
    }
}

void MixtureRun::molarVolume()
{
    MixtureWork& w = m_work;
    const double R = engineGasConstant;
    w.zsum = 0;
    w.Twork = single(m_arguments.T);
    w.Pwork = single(m_arguments.P);
    normalise(m_arguments.z);
    ComputeComponentParams(w, m_equation);
    w.xtrial = w.znorm;
    w.liquidflag = 0;
    w.fugflag = 0;
    SolveMixtureZ(w, m_equation);
    // The reported volumes are formed in double precision; the returned ones are 32-bit.
    const double vapourVolume = quotient(double(w.ZV) * R * w.Twork, w.Pwork);
    const double liquidVolume = quotient(double(w.ZL) * R * w.Twork, w.Pwork);
    w.Vmol[1] = single(vapourVolume);
    w.Vmol[0] = single(liquidVolume);

    write(1, m_equation.molarVolumeTitle);
    writeJoined(2, {"Temperature= ", singleText(w.Twork), " (K)"});
    writeJoined(3, {"Pressure   = ", singleText(w.Pwork), " (bar)"});
    write(4, "Phase");
    write(5, "Compressibility");
    write(6, "Specific volume (m^3/mol)");
    write(7, " ");
    write(8, "vapor");
    write(9, singleText(w.ZV));
    write(10, services::doubleText(vapourVolume));
    write(11, "  ");
    write(12, "liquid");
    write(13, singleText(w.ZL));
    write(14, services::doubleText(liquidVolume));
    write(16, " ");
    writeJoined(17, {"A = ", singleText(w.am)});
    writeJoined(18, {"B =", singleText(w.bm)});
}

void MixtureRun::fugacity()
{
    MixtureWork& w = m_work;
    const bool strict = m_equation.strictFugacityAnswers;
    w.fugflag = 1;
    w.zsum = 0;
    w.Twork = answer("Enter feed temperature (K)", strict);
    w.Pwork = answer("Enter feed   pressure (bar)", strict);
    if (w.n == 1) {
        w.znorm[1] = 1;
    } else {
        ComponentValues typed{};
        for (int i = 1; i <= w.n; ++i)
            typed[i] = answer("Enter feed mole fraction of " + std::string(w.cname[i]), strict);
        normalise(typed);
    }
    w.liquidflag = answer("Enter 0 for vapor fugacity, 1 for liquid", true);
    ComputeComponentParams(w, m_equation);
    w.xtrial = w.znorm;
    SolveMixtureZ(w, m_equation);

    writeTitle(1, "Fugacity calculation using the ", " equation of state");
    writeJoined(2, {"Temperature = ", singleText(w.Twork), "(K)"});
    writeJoined(3, {"Pressure    = ", singleText(w.Pwork), " (bar)"});
    write(4, "Component");
    write(5, m_equation.fugacityFeedHeading);
    write(6, "Fugacity (bar)");
    write(7, "(f/xP) ");
    for (int i = 1; i <= w.n; ++i) {
        const int j = 4 * (i - 1);
        write(8 + j, w.cname[i]);
        write(9 + j, singleText(w.xtrial[i]));
        write(10 + j, singleText(w.fug[i]));
        write(11 + j, singleText(w.phi[i]));
    }
    writeJoined(32, {" compressibility = ", singleText(w.Zf)});
}

} // namespace calvex::mixture
