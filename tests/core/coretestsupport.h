#pragma once
// Shared set-up of the core tests: an EosState for a reference fluid, sized as the windows
// size their report arrays.

#include "core/eosstate.h"
#include "tests/core/referenceeos.h"

namespace calvex::testing {

inline core::EosState stateFor(core::EosHost host, const reference::Fluid& fluid, reference::Eos eos)
{
    core::EosState state(host);
    state.component.compoundname = fluid.name;
    state.component.Tc = static_cast<float>(fluid.Tc);
    state.component.Pc = static_cast<float>(fluid.Pc);
    state.component.omega = static_cast<float>(fluid.omega);
    state.component.Tb = static_cast<float>(fluid.Tb);
    state.optionno = static_cast<std::int16_t>(eos);
    state.result.assign(321, std::string());
    return state;
}

// The reference fluid as the 32-bit state holds it, so that the reference sees the same constants.
inline reference::Fluid asStored(const reference::Fluid& fluid)
{
    return {fluid.name, static_cast<float>(fluid.Tc), static_cast<float>(fluid.Pc), static_cast<float>(fluid.omega),
            static_cast<float>(fluid.Tb)};
}

} // namespace calvex::testing
