#include "unifac/activitycoefficients.h"

#include "services/numbers.h"
#include "unifac/subgrouptable.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>

namespace calvex::unifac {
namespace {

constexpr double fractionFloor = 1e-100;
constexpr double gammaFractionFloor = 1e-120;
constexpr double halfCoordinationNumber = 5.0; // z = 10

bool isSelected(const UnifacRow& row) { return row.component != 0; }

int selectedCount(const UnifacSheet& sheet)
{
    int n = 0;
    for (const UnifacRow& row : sheet.rows)
        n += isSelected(row) ? 1 : 0;
    return n;
}

// The mantissa with `decimals` places, "E", a minus sign only for a negative exponent and at
// least two exponent digits. to_chars writes the point whatever the desktop's language; in
// upper case its text is that of %.*E (INF and NAN included).
std::string scientific(double value, int decimals)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, decimals);
    std::string text(buffer, written.ptr);
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    if (const auto e = text.find("E+"); e != std::string::npos)
        text.erase(e + 1, 1);
    return text;
}

// Ψ = exp(-a/T) of every pair of present subgroups, or nothing when one of them over- or
// underflows (or T is 0): a failure that every component shares.
std::optional<std::vector<std::vector<double>>> groupInteractions(const std::vector<short>& mainGroups, double T)
{
    const std::size_t m = mainGroups.size();
    std::vector<std::vector<double>> psi(m, std::vector<double>(m));
    for (std::size_t k = 0; k < m; ++k)
        for (std::size_t l = 0; l < m; ++l) {
            const double exponent = -InteractionTable(mainGroups[k], mainGroups[l]) / T;
            if (!std::isfinite(exponent) || exponent > std::log(DBL_MAX) || exponent < std::log(DBL_MIN))
                return std::nullopt;
            psi[k][l] = std::exp(exponent);
        }
    return psi;
}

} // namespace

double temperatureInKelvin(double value, int unitIndex)
{
    switch (unitIndex) {
    case Celsius: return value + 273.15;
    case Fahrenheit: return (value - 32.0) / 1.8 + 273.15;
    case Rankine: return value / 1.8;
    default: return value;
    }
}

std::string fractionText(double value) { return scientific(value, 3); }

std::string coefficientCaption(double value) { return "   " + scientific(value, 4); }

void NormaliseMoleFractions(UnifacSheet& sheet)
{
    const int n = selectedCount(sheet);
    if (n == 0)
        return;
    double sum = 0.0;
    for (const UnifacRow& row : sheet.rows)
        if (isSelected(row))
            sum += services::val(row.moleFraction);
    // An unusable sum is left to the calculation, which fails on it.
    if (sum == 1.0 || !std::isfinite(sum))
        return;
    for (UnifacRow& row : sheet.rows)
        if (isSelected(row))
            row.moleFraction = fractionText(sum != 0.0 ? services::val(row.moleFraction) / sum : 1.0 / n);
}

void UnifacGamma(const GroupCounts& nu, std::vector<double>& x, double T, std::vector<double>& gamma)
{
    const std::size_t m = nu.size() - 1;
    const std::size_t n = nu[0].size() - 1;
    gamma.assign(n + 1, 0.0);
    auto failAll = [&] {
        for (std::size_t j = 1; j <= n; ++j)
            gamma[j] = failedGamma;
    };
    for (std::size_t j = 1; j <= n; ++j)
        if (!(x[j] > 0.0))
            x[j] = gammaFractionFloor;

    std::vector<short> mainGroups(m);
    std::vector<double> R(m), Q(m);
    for (std::size_t k = 0; k < m; ++k) {
        const UnifacSubgroup& subgroup = SubgroupTable(nu[k + 1][0]);
        mainGroups[k] = subgroup.MainGroup;
        R[k] = subgroup.R;
        Q[k] = subgroup.Q;
    }
    std::vector<double> r(n + 1, 0.0), q(n + 1, 0.0);
    for (std::size_t j = 1; j <= n; ++j)
        for (std::size_t k = 0; k < m; ++k) {
            r[j] += nu[k + 1][j] * R[k];
            q[j] += nu[k + 1][j] * Q[k];
        }
    const auto psi = groupInteractions(mainGroups, T);
    if (!psi)
        return failAll();

    // e(k, j) = ν·Q and β(k, j) = Σ_l e(l, j)·Ψ(l, k): the group quantities left unnormalised, so
    // the residual part needs no division by q_j.
    std::vector<std::vector<double>> e(m, std::vector<double>(n + 1, 0.0)), beta = e;
    for (std::size_t j = 1; j <= n; ++j)
        for (std::size_t k = 0; k < m; ++k)
            e[k][j] = nu[k + 1][j] * Q[k];
    for (std::size_t j = 1; j <= n; ++j)
        for (std::size_t k = 0; k < m; ++k)
            for (std::size_t l = 0; l < m; ++l)
                beta[k][j] += e[l][j] * (*psi)[l][k];

    double sumR = 0.0, sumQ = 0.0;
    for (std::size_t j = 1; j <= n; ++j) {
        sumR += x[j] * r[j];
        sumQ += x[j] * q[j];
    }
    if (sumR == 0.0 || sumQ == 0.0 || !std::isfinite(sumR) || !std::isfinite(sumQ))
        return failAll();
    std::vector<double> theta(m, 0.0), s(m, 0.0);
    for (std::size_t k = 0; k < m; ++k)
        for (std::size_t j = 1; j <= n; ++j) {
            theta[k] += x[j] * e[k][j];
            s[k] += x[j] * beta[k][j];
        }

    for (std::size_t j = 1; j <= n; ++j) {
        const double V = r[j] / sumR;
        const double F = q[j] / sumQ;
        const double lnCombinatorial =
            1.0 - V + std::log(V) - halfCoordinationNumber * q[j] * (1.0 - V / F + std::log(V / F));
        double lnResidual = q[j] * (1.0 - std::log(F));
        for (std::size_t k = 0; k < m; ++k)
            lnResidual -= theta[k] * beta[k][j] / s[k] - e[k][j] * std::log(beta[k][j] / s[k]);
        // A logarithm of zero or of a negative number, a division by zero or an overflow of
        // the exponential shows as a value that is not finite; one that underflows to 0 has
        // lost the coefficient as well.
        const double value = std::exp(lnCombinatorial + lnResidual);
        gamma[j] = value > 0.0 && std::isfinite(value) ? value : failedGamma;
    }
}

std::vector<double> unifacGammas(UnifacSheet& sheet, const UnifacComponentList& list)
{
    std::array<bool, subgroupCount + 1> present{};
    NormaliseMoleFractions(sheet);
    const double T = temperatureInKelvin(services::val(sheet.temperature), sheet.unitIndex);
    const int n = selectedCount(sheet);
    if (n == 0)
        return {};

    std::vector<std::optional<std::vector<GroupPair>>> pairs;
    for (const UnifacRow& row : sheet.rows) {
        if (!isSelected(row))
            continue;
        pairs.push_back(knownGroupPairs(list.ComponentGroups(row.component)));
        if (pairs.back())
            for (const GroupPair& pair : *pairs.back())
                present[pair.subgroup] = true;
    }

    std::vector<double> x(n + 1, 0.0);
    int j = 0;
    for (UnifacRow& row : sheet.rows) {
        if (!isSelected(row))
            continue;
        x[++j] = services::val(row.moleFraction);
        if (x[j] < fractionFloor) {
            x[j] = fractionFloor;
            row.moleFraction = "1.000E-100";
        }
    }

    GroupCounts nu(1, std::vector<short>(n + 1, 0));
    for (int k = 1; k <= subgroupCount; ++k)
        if (present[k]) {
            nu.emplace_back(n + 1, 0);
            nu.back()[0] = static_cast<short>(k);
        }
    for (std::size_t k = 1; k < nu.size(); ++k)
        for (int c = 1; c <= n; ++c)
            if (pairs[c - 1])
                for (const GroupPair& pair : *pairs[c - 1])
                    if (pair.subgroup == nu[k][0])
                        nu[k][c] = pair.count; // a subgroup listed twice takes its last count

    std::vector<double> gamma;
    UnifacGamma(nu, x, T, gamma);
    return gamma;
}

void CalcActivityCoefficients(UnifacSheet& sheet, const UnifacComponentList& list)
{
    const std::vector<double> gamma = unifacGammas(sheet, list);
    int j = 0;
    for (UnifacRow& row : sheet.rows)
        if (isSelected(row) && !gamma.empty())
            row.actCoeff = coefficientCaption(gamma[++j]);
}

} // namespace calvex::unifac
