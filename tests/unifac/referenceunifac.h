#pragma once
// An independent UNIFAC for the tests, in its textbook form: group mole fractions X_m, area
// fractions θ_m, group residual coefficients ln Γ_k in the mixture and in each pure component.

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

} // namespace calvex::testing
