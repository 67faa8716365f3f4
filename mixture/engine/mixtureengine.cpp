#include "mixture/engine/mixtureengine.h"

#include "mixture/engine/mixturerun.h"

namespace calvex::mixture {
namespace {

MixtureResult runMember(const MixtureEngineTraits& equation, std::int16_t& mode, float T, float P, std::int16_t n,
                        std::span<const std::string> names, std::span<const float> Tc, std::span<const float> Pc,
                        std::span<const float> omega, std::span<const float> Tb, std::span<const float> z,
                        services::ResultLines& out)
{
    MixtureRun run(equation, MixtureArguments{T, P, n, names, Tc, Pc, omega, Tb, z, out});
    return run.run(mode);
}

} // namespace

float MixtureResult::asSingle() const
{
    switch (kind) {
    case Kind::Number: return number;
    case Kind::FlashFlag: return flashok;
    default: return 0;
    }
}

MixtureResult dewbubblePR(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                          std::span<const std::string> names, std::span<const float> Tc_K,
                          std::span<const float> Pc_bar, std::span<const float> omega,
                          std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out)
{
    return runMember(pengRobinsonTraits, mode, T_K, P_bar, n, names, Tc_K, Pc_bar, omega, Tb_K, z, out);
}

MixtureResult dewbubbleSRK(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                           std::span<const std::string> names, std::span<const float> Tc_K,
                           std::span<const float> Pc_bar, std::span<const float> omega,
                           std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out)
{
    return runMember(soaveRedlichKwongTraits, mode, T_K, P_bar, n, names, Tc_K, Pc_bar, omega, Tb_K, z, out);
}

MixtureResult dewbubbleRK(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                          std::span<const std::string> names, std::span<const float> Tc_K,
                          std::span<const float> Pc_bar, std::span<const float> omega,
                          std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out)
{
    return runMember(redlichKwongTraits, mode, T_K, P_bar, n, names, Tc_K, Pc_bar, omega, Tb_K, z, out);
}

MixtureEngineFunction mixtureEngineFor(int optionno)
{
    switch (optionno) {
    case 2: return dewbubblePR;
    case 3: return dewbubbleRK;
    case 4: return dewbubbleSRK;
    default: return nullptr;
    }
}

} // namespace calvex::mixture
