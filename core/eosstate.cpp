#include "core/eosstate.h"

#include "services/numbers.h"
#include "services/units.h"

namespace calvex::core {

bool EosState::loadComponent(const ComponentConstants& constantsWithPcInBar)
{
    const std::optional<float> pascal =
        services::toSingle(static_cast<double>(constantsWithPcInBar.Pc) * services::pascalPerBar);
    if (!pascal)
        return false;
    component = constantsWithPcInBar;
    component.Pc = *pascal;
    return true;
}

} // namespace calvex::core
