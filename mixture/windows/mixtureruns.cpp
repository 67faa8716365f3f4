#include "mixture/windows/mixtureruns.h"

#include "mixture/windows/engineruns.h"
#include "mixture/windows/familyrun.h"

namespace calvex::mixture {

MixtureRunFunction mixtureRunFor(MixtureWindowKind kind)
{
    switch (kind) {
    // The engine runs.
    case MixtureWindowKind::BubblePressure:
    case MixtureWindowKind::BubbleTemperature:
    case MixtureWindowKind::DewPressure:
    case MixtureWindowKind::DewTemperature:
        return bubbleDewRun;
    case MixtureWindowKind::Flash:
        return flashRun;
    case MixtureWindowKind::MolarVolume:
        return molarVolumeRun;

    // The family runs.
    case MixtureWindowKind::PartialFugacity:
    case MixtureWindowKind::MixtureDeparture:
    case MixtureWindowKind::MixtureFugacity:
        return [traits = familyTraits(kind)](CalculateRun& run) { familyRun(run, *traits); };
    }
    return {};
}

} // namespace calvex::mixture
