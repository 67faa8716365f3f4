#pragma once
// UNIFAC as the activity model of the T-x-y and P-x-y runs: the two components of rows 0 and 1
// of a UNIFAC sheet, evaluated on that sheet as the window would be (temperature in kelvin,
// x1 and 1 − x1 as the two fractions), its captions left showing the last coefficients. The
// runs take the coefficients from the calculation itself, not from the 5-digit captions,
// so the bubble-point residual is smooth enough for the solver's stop test.

#include "activity/activitymodel.h"
#include "unifac/activitycoefficients.h"

namespace calvex::unifac {

class UnifacModel final : public activity::ActivityModel {
public:
    // `sheet` is written at every evaluation; rows 0 and 1 must hold the two components.
    UnifacModel(UnifacSheet& sheet, const UnifacComponentList& list = componentList())
        : m_sheet(sheet), m_list(list)
    {
    }

    // Empty when the calculation failed (its coefficient of 1e100) or a coefficient does not
    // fit 32 bits or becomes 0 in them.
    std::optional<activity::GammaPair> gammacal(float x1, float T) const override;

private:
    UnifacSheet& m_sheet;
    const UnifacComponentList& m_list;
};

} // namespace calvex::unifac
