#include "pure/calculationfault.h"

#include "services/numbers.h"

namespace calvex::pure {

float single(double value)
{
    const std::optional<float> stored = services::toSingle(value);
    if (!stored)
        throw CalculationFault("a value does not fit a 32-bit number");
    return *stored;
}

} // namespace calvex::pure
