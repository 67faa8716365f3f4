#pragma once
// Binary activity-coefficient models: the liquid activity coefficients (γ1, γ2) of a
// two-component mixture at the liquid mole fraction x1 of component 1 and the temperature T.
//
// ActivityModel is the one interface the T-x-y and P-x-y runs and the bubble-temperature
// solver (activity/bubbletemperature.h) work through; any model that yields (γ1, γ2) for
// (x1, T) can be plugged in, the group-contribution one included.
//
// The four correlations read their constants from a ParameterSource at every evaluation, so
// a constant box edited between two evaluations takes effect at the next one.

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace calvex::activity {

// element 0 = γ1, element 1 = γ2
using GammaPair = std::array<float, 2>;

class ActivityModel {
public:
    virtual ~ActivityModel() = default;
    // x1 the liquid mole fraction of component 1, T in K. Empty after an arithmetic failure
    // (a division by zero, the logarithm of zero, an exponential or a stored value beyond the
    // 32-bit range); the model shows nothing, its caller decides what the user is told.
    virtual std::optional<GammaPair> gammacal(float x1, float T) const = 0;
};

// Where a model finds its constants: the text of the box of that name (A12_Text1, A_Text1, …),
// read with the leading-number parse, so empty text reads 0.
class ParameterSource {
public:
    virtual ~ParameterSource() = default;
    virtual std::string boxText(const std::string& box) const = 0;
};

enum class ModelKind { Margules, VanLaar, Nrtl, Wilson };

// The gas constant of NRTL and Wilson, J/(mol K).
inline constexpr double R = 8.314;

// ln γ1 = x2² (A12 + 2 (A21 − A12) x1), ln γ2 = x1² (A21 + 2 (A12 − A21) x2);
// A12 from A12_Text1, A21 from A21_Text1.
class MargulesModel final : public ActivityModel {
public:
    explicit MargulesModel(const ParameterSource& source) : m_source(source) {}
    std::optional<GammaPair> gammacal(float x1, float T) const override;

private:
    const ParameterSource& m_source;
};

// ln γ1 = A / (1 + A x1/(B x2))², ln γ2 = B / (1 + B x2/(A x1))²; A from A_Text1, B from
// B_Text1. Undefined at x1 = 0 and 1 and for A or B of 0.
class VanLaarModel final : public ActivityModel {
public:
    explicit VanLaarModel(const ParameterSource& source) : m_source(source) {}
    std::optional<GammaPair> gammacal(float x1, float T) const override;

private:
    const ParameterSource& m_source;
};

// NRTL with one non-randomness factor: deltag12 (A_Text1) and deltag21 (B_Text1) in J/mol,
// alpha12 (alpha_Text1).
class NrtlModel final : public ActivityModel {
public:
    explicit NrtlModel(const ParameterSource& source) : m_source(source) {}
    std::optional<GammaPair> gammacal(float x1, float T) const override;

private:
    const ParameterSource& m_source;
};

// Wilson: the molar volumes v1 (v1_Text1) and v2 (v2_Text1) in one unit, lamda12 (A_Text1)
// and lamda21 (B_Text1) in J/mol.
class WilsonModel final : public ActivityModel {
public:
    explicit WilsonModel(const ParameterSource& source) : m_source(source) {}
    std::optional<GammaPair> gammacal(float x1, float T) const override;

private:
    const ParameterSource& m_source;
};

std::unique_ptr<ActivityModel> makeModel(ModelKind kind, const ParameterSource& source);

} // namespace calvex::activity
