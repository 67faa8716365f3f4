#include "activity/activitymodel.h"

#include "core/checkedmath.h"
#include "services/numbers.h"

namespace calvex::activity {
namespace {

using namespace core::detail;

float constant(const ParameterSource& source, const char* box) { return single(services::val(source.boxText(box))); }

double squared(double value) { return value * value; }

// Each γ is the exponential of its logarithm, stored as a 32-bit value.
template <class Body>
std::optional<GammaPair> evaluate(Body&& body)
{
    try {
        const auto [lnGamma1, lnGamma2] = body();
        return GammaPair{single(exponential(lnGamma1)), single(exponential(lnGamma2))};
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<GammaPair> MargulesModel::gammacal(float x1, float) const
{
    return evaluate([&] {
        const double A12 = constant(m_source, "A12_Text1");
        const double A21 = constant(m_source, "A21_Text1");
        const double x2 = 1.0f - x1;
        return std::array<double, 2>{squared(x2) * (A12 + 2 * (A21 - A12) * x1),
                                     squared(x1) * (A21 + 2 * (A12 - A21) * x2)};
    });
}

std::optional<GammaPair> VanLaarModel::gammacal(float x1, float) const
{
    return evaluate([&] {
        const double A = constant(m_source, "A_Text1");
        const double B = constant(m_source, "B_Text1");
        const double x2 = 1.0f - x1;
        return std::array<double, 2>{quotient(A, squared(1 + quotient(A * x1, x2 * B))),
                                     quotient(B, squared(1 + quotient(x2 * B, x1 * A)))};
    });
}

std::optional<GammaPair> NrtlModel::gammacal(float x1, float T) const
{
    return evaluate([&] {
        const double deltag12 = constant(m_source, "A_Text1");
        const double deltag21 = constant(m_source, "B_Text1");
        const double alpha12 = constant(m_source, "alpha_Text1");
        const double x2 = 1.0f - x1;
        const double tau12 = single(quotient(deltag12, R * T));
        const double tau21 = single(quotient(deltag21, R * T));
        const double G12 = single(exponential(-alpha12 * tau12));
        const double G21 = single(exponential(-alpha12 * tau21));
        const double sum1 = x1 + x2 * G21;
        const double sum2 = x2 + x1 * G12;
        return std::array<double, 2>{
            squared(x2) * (tau21 * squared(quotient(G21, sum1)) + quotient(tau12 * G12, squared(sum2))),
            squared(x1) * (tau12 * squared(quotient(G12, sum2)) + quotient(tau21 * G21, squared(sum1)))};
    });
}

std::optional<GammaPair> WilsonModel::gammacal(float x1, float T) const
{
    return evaluate([&] {
        const double v1 = constant(m_source, "v1_Text1");
        const double v2 = constant(m_source, "v2_Text1");
        const double lamda12 = constant(m_source, "A_Text1");
        const double lamda21 = constant(m_source, "B_Text1");
        const double x2 = 1.0f - x1;
        const double Lamda12 = single(quotient(v2, v1) * exponential(-quotient(lamda12, R * T)));
        const double Lamda21 = single(quotient(v1, v2) * exponential(-quotient(lamda21, R * T)));
        const double sum1 = x1 + x2 * Lamda12;
        const double sum2 = x2 + x1 * Lamda21;
        const double D = quotient(Lamda12, sum1) - quotient(Lamda21, sum2);
        return std::array<double, 2>{-logOfAbs(sum1) + x2 * D, -logOfAbs(sum2) - x1 * D};
    });
}

std::unique_ptr<ActivityModel> makeModel(ModelKind kind, const ParameterSource& source)
{
    switch (kind) {
    case ModelKind::Margules: return std::make_unique<MargulesModel>(source);
    case ModelKind::VanLaar: return std::make_unique<VanLaarModel>(source);
    case ModelKind::Nrtl: return std::make_unique<NrtlModel>(source);
    case ModelKind::Wilson: return std::make_unique<WilsonModel>(source);
    }
    return nullptr;
}

} // namespace calvex::activity
