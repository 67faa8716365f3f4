#pragma once
// The mixture engine behind the bubble, dew, flash and mixture-volume calculators: one call runs
// one MixtureMode for a mixture of 1 to 10 components with the Peng–Robinson,
// Soave–Redlich–Kwong or Redlich–Kwong equation, writes its report lines into `out` by line
// number and returns a MixtureResult. Guess prompts and messages go through services::ui().

#include "services/resultformat.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace calvex::mixture {

enum class MixtureMode : std::int16_t {
    MolarVolume = 1,
    Fugacity = 2,
    BubbleT = 3,
    DewT = 4,
    BubbleP = 5,
    DewP = 6,
    Flash = 7,
};

constexpr std::int16_t modeNumber(MixtureMode mode) { return static_cast<std::int16_t>(mode); }

// What one call returns, by the mode it was called with. Empty for the fugacity mode, for a
// mode outside 1..7 and after the engine's error trap ("Invalid data passed so exiting").
struct MixtureResult {
    enum class Kind { Empty, Volumes, Number, FlashFlag };
    Kind kind = Kind::Empty;
    // MolarVolume: the liquid-root and the vapour-root molar volume (m³/mol), and 0.
    std::array<float, 3> volumes{};
    // BubbleT, DewT: the temperature in K; BubbleP, DewP: the pressure in bar; 0 after a failure.
    float number = 0;
    // Flash: 1 when the report was written (and after the two-component message), 0 when no
    // flash is possible.
    std::int16_t flashok = 0;

    bool empty() const { return kind == Kind::Empty; }
    // The result read as a single-precision number, as the windows read it: the temperature or
    // pressure, the flash flag, and 0 when empty.
    float asSingle() const;
};

// The eleven-argument contract. Component arrays are indexed 1..n (index 0 is never read);
// `out` is indexed by report line. The engine changes only `mode` (0 before a normal return)
// and the lines of `out` that its mode writes.
using MixtureEngineFunction = MixtureResult (*)(std::int16_t& mode, const float& T_K, const float& P_bar,
                                                const std::int16_t& n, std::span<const std::string> names,
                                                std::span<const float> Tc_K, std::span<const float> Pc_bar,
                                                std::span<const float> omega, std::span<const float> Tb_K,
                                                std::span<const float> z, services::ResultLines& out);

MixtureResult dewbubblePR(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                          std::span<const std::string> names, std::span<const float> Tc_K,
                          std::span<const float> Pc_bar, std::span<const float> omega,
                          std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out);

MixtureResult dewbubbleSRK(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                           std::span<const std::string> names, std::span<const float> Tc_K,
                           std::span<const float> Pc_bar, std::span<const float> omega,
                           std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out);

MixtureResult dewbubbleRK(std::int16_t& mode, const float& T_K, const float& P_bar, const std::int16_t& n,
                          std::span<const std::string> names, std::span<const float> Tc_K,
                          std::span<const float> Pc_bar, std::span<const float> omega,
                          std::span<const float> Tb_K, std::span<const float> z, services::ResultLines& out);

// The member for an EquationOption: 2 Peng–Robinson, 3 Redlich–Kwong, 4 Soave–Redlich–Kwong;
// nullptr for any other value (the caller then makes no call).
MixtureEngineFunction mixtureEngineFor(int optionno);

} // namespace calvex::mixture
