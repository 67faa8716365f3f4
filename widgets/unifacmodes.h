#pragma once
// What the shell needs of the UNIFAC window, which implements it: switching the window to its
// P-x-y or T-x-y mode after it has been shown.

namespace calvex::widgets {

enum class UnifacMode { ActivityCoefficients, Pxy, Txy };

// Implemented by the UNIFAC window `fMain`. Both return 1, which the shell ignores.
class UnifacModes {
public:
    virtual ~UnifacModes() = default;
    virtual float PxyUnifacsetting() = 0;
    virtual float TxyUnifacsetting() = 0;
};

} // namespace calvex::widgets
