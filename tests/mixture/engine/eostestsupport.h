#pragma once
// What the tests of the mixture equation-of-state routines share: a MixtureState as a window
// fills it, and the four equations with their routines beside the reference model's equation.

#include "tests/mixture/engine/untouched.h"
#include "mixture/engine/mixtureeos.h"
#include "tests/mixture/engine/eosreference.h"

#include <cstdint>
#include <string>
#include <vector>

namespace calvex::mixture::testing {

using eosreference::butane;
using eosreference::Component;
using eosreference::Eos;
using eosreference::methane;
using eosreference::MixtureModel;


// Components in slots 0.., mole fractions y, and the 53 report lines of the larger windows.
inline MixtureState stateOf(const std::vector<Component>& components, const std::vector<float>& y,
                            std::int16_t optionno = 0, MixtureHost host = MixtureHost::PartialFugacity)
{
    MixtureState state;
    state.nos = static_cast<std::int16_t>(components.size());
    state.optionno = optionno;
    state.host = host;
    for (std::size_t i = 0; i < components.size(); ++i) {
        state.Tc[i] = static_cast<float>(components[i].Tc);
        state.Pc[i] = static_cast<float>(components[i].Pc);
        state.omega[i] = static_cast<float>(components[i].omega);
        state.y[i] = y[i];
    }
    state.out.assign(53, untouched);
    return state;
}

struct Equation {
    const char* name;
    Eos eos;
    std::int16_t optionno;
    EosResult (*ab)(MixtureState&, float, float);
    EosResult (*Zcal)(MixtureState&, float, float);
    EosResult (*partial)(MixtureState&, float, float, std::int16_t);
    EosResult (*mixture)(MixtureState&, float, float);
    EosResult (*departure)(MixtureState&, float, float, float);
};

// In optionno order: equations[optionno - 1].
inline const Equation equations[] = {
    {"van der Waals", Eos::VanDerWaals, 1, eos::abvanderwaal, eos::Zcalvanderwaal, eos::partialphycalvanderwaal,
     eos::phycalvanderwaal, eos::DepartureVanderwaal},
    {"Peng-Robinson", Eos::PengRobinson, 2, eos::abPR, eos::ZcalPR, eos::partialphycalPR, eos::phycalPR,
     eos::DeparturePR},
    {"Redlich-Kwong", Eos::RedlichKwong, 3, eos::abRK, eos::ZcalRK, eos::partialphycalRK, eos::phycalRK,
     eos::DepartureRK},
    {"Soave-Redlich-Kwong", Eos::Soave, 4, eos::abSRK, eos::ZcalSRK, eos::partialphycalSRK, eos::phycalSRK,
     eos::DepartureSRK},
};

} // namespace calvex::mixture::testing
