#include "tests/unifac/referenceunifac.h"

#include "unifac/grouplist.h"
#include "unifac/subgrouptable.h"

#include <cmath>
#include <map>

namespace calvex::testing {
namespace {

// ln Γ_k for every group at the composition `x` of the components.
std::vector<double> groupResiduals(const std::vector<ReferenceGroup>& groups, const std::vector<std::vector<int>>& counts,
                                   const std::vector<double>& x, double T, double (*a)(int, int))
{
    const std::size_t g = groups.size();
    std::vector<double> X(g, 0.0), theta(g, 0.0), lnGamma(g, 0.0);
    double total = 0.0;
    for (std::size_t i = 0; i < counts.size(); ++i)
        for (std::size_t k = 0; k < g; ++k) {
            X[k] += x[i] * counts[i][k];
            total += x[i] * counts[i][k];
        }
    double area = 0.0;
    for (std::size_t k = 0; k < g; ++k) {
        X[k] /= total;
        area += groups[k].Q * X[k];
    }
    for (std::size_t k = 0; k < g; ++k)
        theta[k] = groups[k].Q * X[k] / area;
    auto psi = [&](std::size_t m, std::size_t n) { return std::exp(-a(groups[m].mainGroup, groups[n].mainGroup) / T); };
    for (std::size_t k = 0; k < g; ++k) {
        double toK = 0.0, fromK = 0.0;
        for (std::size_t m = 0; m < g; ++m) {
            toK += theta[m] * psi(m, k);
            double denominator = 0.0;
            for (std::size_t n = 0; n < g; ++n)
                denominator += theta[n] * psi(n, m);
            fromK += theta[m] * psi(k, m) / denominator;
        }
        lnGamma[k] = groups[k].Q * (1.0 - std::log(toK) - fromK);
    }
    return lnGamma;
}

} // namespace

std::vector<double> referenceUnifac(const std::vector<ReferenceGroup>& groups, const std::vector<std::vector<int>>& counts,
                                    const std::vector<double>& x, double T, double (*a)(int, int))
{
    const std::size_t c = counts.size();
    std::vector<double> r(c, 0.0), q(c, 0.0), gamma(c);
    double sumR = 0.0, sumQ = 0.0;
    for (std::size_t i = 0; i < c; ++i) {
        for (std::size_t k = 0; k < groups.size(); ++k) {
            r[i] += counts[i][k] * groups[k].R;
            q[i] += counts[i][k] * groups[k].Q;
        }
        sumR += x[i] * r[i];
        sumQ += x[i] * q[i];
    }
    const std::vector<double> mixture = groupResiduals(groups, counts, x, T, a);
    for (std::size_t i = 0; i < c; ++i) {
        const double J = r[i] / sumR, L = q[i] / sumQ;
        const double lnCombinatorial = 1.0 - J + std::log(J) - 5.0 * q[i] * (1.0 - J / L + std::log(J / L));
        // The pure component's own group residuals: only its groups, at its own composition.
        std::vector<ReferenceGroup> own;
        std::vector<int> ownCounts;
        std::vector<double> ownMixture;
        for (std::size_t k = 0; k < groups.size(); ++k)
            if (counts[i][k] > 0) {
                own.push_back(groups[k]);
                ownCounts.push_back(counts[i][k]);
                ownMixture.push_back(mixture[k]);
            }
        const std::vector<double> pure = groupResiduals(own, {ownCounts}, {1.0}, T, a);
        double lnResidual = 0.0;
        for (std::size_t k = 0; k < own.size(); ++k)
            lnResidual += ownCounts[k] * (ownMixture[k] - pure[k]);
        gamma[i] = std::exp(lnCombinatorial + lnResidual);
    }
    return gamma;
}

ReferenceMixture referenceMixture(const std::vector<std::string>& groupLists)
{
    std::map<int, std::map<std::size_t, int>> countsBySubgroup;
    for (std::size_t i = 0; i < groupLists.size(); ++i) {
        const std::vector<unifac::GroupPair> pairs = unifac::groupPairs(groupLists[i]).value();
        for (const unifac::GroupPair& pair : pairs)
            countsBySubgroup[pair.subgroup][i] = pair.count;
    }
    ReferenceMixture mixture;
    mixture.counts.resize(groupLists.size());
    for (const auto& [subgroup, byComponent] : countsBySubgroup) {
        const unifac::UnifacSubgroup& s = unifac::SubgroupTable(subgroup);
        mixture.groups.push_back({s.R, s.Q, s.MainGroup});
        for (std::size_t i = 0; i < mixture.counts.size(); ++i)
            mixture.counts[i].push_back(byComponent.contains(i) ? byComponent.at(i) : 0);
    }
    return mixture;
}

} // namespace calvex::testing
