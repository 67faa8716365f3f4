#pragma once
// What the engine tests share: the test mixtures, the three members beside their reference
// equations, and one engine call with scripted answers to its prompts.

#include "tests/mixture/engine/untouched.h"
#include "mixture/engine/mixtureengine.h"
#include "tests/mixture/engine/referencemixture.h"
#include "services/numbers.h"
#include "tests/support/scriptedui.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace calvex::mixture::testing {

// A mixture as a window passes it: arrays indexed 1..n, element 0 unused.
struct Feed {
    std::vector<std::string> names{""};
    std::vector<float> Tc{0}, Pc{0}, omega{0}, Tb{0}, z{0};

    Feed& add(const std::string& name, float Tc_K, float Pc_bar, float acentric, float Tb_K, float fraction)
    {
        names.push_back(name);
        Tc.push_back(Tc_K);
        Pc.push_back(Pc_bar);
        omega.push_back(acentric);
        Tb.push_back(Tb_K);
        z.push_back(fraction);
        return *this;
    }
    std::int16_t n() const { return static_cast<std::int16_t>(names.size() - 1); }

    std::vector<reference::Component> components() const
    {
        std::vector<reference::Component> list;
        for (std::size_t i = 1; i < names.size(); ++i)
            list.push_back({Tc[i], Pc[i], omega[i], Tb[i]});
        return list;
    }
    reference::Composition composition() const
    {
        double sum = 0;
        for (std::size_t i = 1; i < z.size(); ++i)
            sum += z[i];
        reference::Composition x;
        for (std::size_t i = 1; i < z.size(); ++i)
            x.push_back(z[i] / sum);
        return x;
    }
};

// The test mixtures, with the constants their quoted numbers were computed from.
inline Feed methaneButane()
{
    return Feed{}.add("methane", 190.6f, 46.0f, 0.011f, 111.7f, 1).add("n-butane", 425.1f, 37.96f, 0.200f, 272.7f, 1);
}

inline Feed propaneButane()
{
    return Feed{}.add("propane", 369.8f, 42.48f, 0.152f, 231.1f, 0.5f).add("n-butane", 425.1f, 37.96f, 0.200f, 272.7f, 0.5f);
}

struct Member {
    const char* name;
    MixtureEngineFunction engine;
    reference::Equation equation;
};

inline const Member members[] = {
    {"PengRobinson", dewbubblePR, reference::Equation::PengRobinson},
    {"SoaveRedlichKwong", dewbubbleSRK, reference::Equation::SoaveRedlichKwong},
    {"RedlichKwong", dewbubbleRK, reference::Equation::RedlichKwong},
};


struct Call {
    MixtureResult result;
    std::int16_t modeAfter = 0;
    services::ResultLines out;
    std::vector<std::string> messages;
    std::vector<std::string> prompts;
};

// One call with `answers` given to its prompts in order (the script must be used up).
inline Call callEngine(const Member& member, std::int16_t mode, float T, float P, const Feed& feed,
                       const std::vector<std::string>& answers = {}, std::size_t outSize = 45)
{
    calvex::testing::ScriptedUi ui;
    for (const auto& answer : answers)
        ui.answer(answer);
    Call call;
    call.out.assign(outSize, untouched);
    std::int16_t modeArgument = mode;
    const std::int16_t n = feed.n();
    call.result = member.engine(modeArgument, T, P, n, feed.names, feed.Tc, feed.Pc, feed.omega, feed.Tb, feed.z,
                                call.out);
    call.modeAfter = modeArgument;
    call.messages = ui.messages();
    call.prompts = ui.prompts();
    return call;
}

inline Call callEngine(const Member& member, MixtureMode mode, float T, float P, const Feed& feed,
                       const std::vector<std::string>& answers = {}, std::size_t outSize = 45)
{
    return callEngine(member, modeNumber(mode), T, P, feed, answers, outSize);
}

// The number written into a report line after `prefix` (NaN when the prefix is not there).
inline double numberAfter(const std::string& line, const std::string& prefix)
{
    if (line.compare(0, prefix.size(), prefix) != 0)
        return std::nan("");
    return services::val(line.substr(prefix.size()));
}

} // namespace calvex::mixture::testing
