#include "mixture/windows/mixturephase.h"

#include "mixture/windows/calculaterun.h"

namespace calvex::mixture {

PhaseBoundaries phaseBoundaries(const MixtureRunState& state, float T_K, services::ResultLines& out)
{
    // The pressure passes start from their guess or their default, never from the P they are given.
    const float Pb = callMixtureEngine(state, MixtureMode::BubbleP, T_K, state.P, out).asSingle();
    const float Pd = callMixtureEngine(state, MixtureMode::DewP, T_K, state.P, out).asSingle();
    return {Pb, Pd};
}

MixturePhase mixturePhase(float P_bar, const PhaseBoundaries& boundaries)
{
    const float Pb = boundaries.Pb_bar;
    const float Pd = boundaries.Pd_bar;
    // A failed pass returns 0, and the bubble search can return a negative pressure: neither
    // is a phase boundary.
    if (!(Pb > 0) || !(Pd > 0))
        return MixturePhase::Unknown;
    if (Pd < P_bar && P_bar < Pb)
        return MixturePhase::TwoPhase;
    if (P_bar > Pb)
        return MixturePhase::Liquid;
    if (P_bar < Pd)
        return MixturePhase::Vapour;
    return MixturePhase::Boundary;
}

} // namespace calvex::mixture
