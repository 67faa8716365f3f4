#include "mixture/engine/eosequation.h"

namespace calvex::mixture::eos::detail {

void fillParameters(Equation equation, const MixtureState& state, float T, SlotArray& a, SlotArray& b,
                    SlotArray* alpha)
{
    for (int i = 0; i < state.nos; ++i) {
        const std::size_t k = slot(i);
        core::ComponentConstants component;
        component.Tc = state.Tc[k];
        component.Pc = state.Pc[k];
        component.omega = state.omega[k];
        const core::detail::EquationParameters p = core::detail::parametersAt(equation, component, T);
        a[k] = p.a;
        b[k] = p.b;
        if (alpha)
            (*alpha)[k] = p.alpha;
    }
}

OneFluid mix(const MixtureState& state, const SlotArray& a, const SlotArray& b)
{
    OneFluid m;
    for (int j = 0; j < state.nos; ++j) {
        const std::size_t sj = slot(j);
        for (int k = 0; k < state.nos; ++k) {
            const std::size_t sk = slot(k);
            const double y = static_cast<double>(state.y[sk]) * state.y[sj];
            m.am = single(m.am + y * squareRoot(static_cast<double>(a[sk]) * a[sj]));
        }
        m.bm = single(m.bm + static_cast<double>(state.y[sj]) * b[sj]);
    }
    return m;
}

} // namespace calvex::mixture::eos::detail
