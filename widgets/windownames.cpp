#include "widgets/windownames.h"

namespace calvex::widgets {

const std::vector<NeighbourWindow>& neighbourWindows()
{
    static const std::vector<NeighbourWindow> windows = {
        {"MolarVolumeCalculator", Placement::MdiChild},
        {"SaturationPressureCalculator", Placement::MdiChild},
        {"SaturationTemperatureCalculator", Placement::MdiChild},
        {"PureComponentFugacityCalculator", Placement::MdiChild},
        {"DepartureFunctionCalculator", Placement::MdiChild},
        {"EntropyCalculator", Placement::MdiChild},
        {"EnthalpyCalculator", Placement::MdiChild},
        {"MixtureMolarVolumeCalculator", Placement::MdiChild},
        {"MixtureFugacityCalculator", Placement::MdiChild},
        {"PartialFugacityCalculator", Placement::MdiChild},
        {"MixtureDepartureCalculator", Placement::MdiChild},
        {"DewPressureCalculator", Placement::MdiChild},
        {"DewTemperatureCalculator", Placement::MdiChild},
        {"BubblePressureCalculator", Placement::MdiChild},
        {"BubbleTemperatureCalculator", Placement::MdiChild},
        {"FlashCalculator", Placement::MdiChild},
        {"SelectComponentForm1", Placement::MdiChild},
        {"FugacitySelectComponentForm1", Placement::MdiChild},
        {"PartialFugacitySelectComponentForm1", Placement::MdiChild},
        {"DepartureSelectComponentForm1", Placement::MdiChild},
        {"DewPressureSelectComponentForm1", Placement::MdiChild},
        {"DewTemperatureSelectComponentForm1", Placement::MdiChild},
        {"BubblePressureSelectComponentForm1", Placement::MdiChild},
        {"BubbleTemperatureSelectComponentForm1", Placement::MdiChild},
        {"FlashSelectComponentForm1", Placement::MdiChild},
        {"PxyMargules", Placement::MdiChild},
        {"TxyMargules", Placement::MdiChild},
        {"PxyVanlaar", Placement::MdiChild},
        {"TxyVanlaar", Placement::MdiChild},
        {"ParametersForm1", Placement::MdiChild},
        {"Datapoints", Placement::MdiChild},
        {"Pxywilsons", Placement::MdiChild},
        {"Txywilsons", Placement::MdiChild},
        {"Pxynrtl", Placement::MdiChild},
        {"Txynrtl", Placement::MdiChild},
        {"fMain", Placement::MdiChild},
        {"frmTextEditor", Placement::MdiChild},
        {"plotfrmTextEditor1", Placement::TopLevel},
        {"helpSoftware", Placement::TopLevel},
        {"frmAbout", Placement::Dialog},
    };
    return windows;
}

} // namespace calvex::widgets
