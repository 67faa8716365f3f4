#pragma once
// An independent UNIFAC for the tests, in its textbook form: group mole fractions X_m, area
// fractions θ_m, group residual coefficients ln Γ_k in the mixture and in each pure component.

#include <string>
#include <vector>

namespace calvex::testing {

struct ReferenceGroup {
    double R, Q;
    int mainGroup;
};

// counts[i][k]: number of group k in component i; a(m, n) from `interaction`.
std::vector<double> referenceUnifac(const std::vector<ReferenceGroup>& groups,
                                    const std::vector<std::vector<int>>& counts, const std::vector<double>& x,
                                    double T, double (*interaction)(int, int));

// Components given as group lists ("10,5;12,1;"): the groups they hold, with R, Q and main
// group from the subgroup table, and each component's count of each group.
struct ReferenceMixture {
    std::vector<ReferenceGroup> groups;
    std::vector<std::vector<int>> counts;
};
ReferenceMixture referenceMixture(const std::vector<std::string>& groupLists);

} // namespace calvex::testing
