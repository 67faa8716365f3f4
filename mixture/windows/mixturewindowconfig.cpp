#include "mixture/windows/mixturewindowconfig.h"

#include <map>

namespace calvex::mixture {
namespace {

const std::string dataLoading = "error in data loading";
const std::string selectCaption = "SelectComponentForm1";
const std::string bubbleDewTemplate = "bubbledew.htm";

MixtureWindowConfig row(MixtureWindowKind kind, bool family, std::string inputName, std::string inputCaption,
                        std::string title, std::string selectionName, std::string selectionCaption,
                        std::string buttonCaption)
{
    MixtureWindowConfig config;
    config.kind = kind;
    config.family = family;
    config.inputName = std::move(inputName);
    config.inputCaption = std::move(inputCaption);
    config.title = std::move(title);
    config.temperatureUnits = {"celsius", "fahrenheit", "kelvin"};
    config.pressureUnits = {"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"};
    config.selectionName = std::move(selectionName);
    config.selectionCaption = std::move(selectionCaption);
    config.buttonCaption = std::move(buttonCaption);
    return config;
}

// A bubble or dew window asks for the state it is given: the temperature of a pressure run,
// the pressure of a temperature run.
MixtureWindowConfig bubbleDew(MixtureWindowConfig config, bool givenTemperature, int resultKind)
{
    config.asksTemperature = givenTemperature;
    config.asksPressure = !givenTemperature;
    config.templateName = bubbleDewTemplate;
    config.reportCount = 34;
    config.resultKind = resultKind;
    return config;
}

MixtureWindowConfig reported(MixtureWindowConfig config, std::string templateName, int count, int resultKind)
{
    config.templateName = std::move(templateName);
    config.reportCount = count;
    config.resultKind = resultKind;
    return config;
}

std::map<MixtureWindowKind, MixtureWindowConfig> buildTable()
{
    using K = MixtureWindowKind;
    std::map<K, MixtureWindowConfig> table;

    MixtureWindowConfig bubbleP = bubbleDew(
        row(K::BubblePressure, false, "BubblePressureCalculator", "Bubble Pressure Calculator",
            "Bubble Pressure  Calculator", "BubblePressureSelectComponentForm1", "Bubble Pressure Select Component",
            "click to calculate Bubble Pressure"),
        true, 14);
    bubbleP.countKeys = CountKeys::Typed;
    bubbleP.loadFailure = dataLoading;
    bubbleP.componentKeysReachList = true;
    table.emplace(K::BubblePressure, bubbleP);

    MixtureWindowConfig bubbleT = bubbleDew(
        row(K::BubbleTemperature, false, "BubbleTemperatureCalculator", " Bubble Temperature Calculator",
            "Bubble Temperature Calculator", "BubbleTemperatureSelectComponentForm1",
            "Bubble Temperature SelectComponent", "click to calculate Bubble Temperature"),
        false, 15);
    bubbleT.countKeys = CountKeys::Typed;
    bubbleT.componentKeysReachList = true;
    table.emplace(K::BubbleTemperature, bubbleT);

    table.emplace(K::DewPressure, bubbleDew(row(K::DewPressure, false, "DewPressureCalculator",
                                                "Dew  Pressure Calculator", "Dew  Pressure  Calculator",
                                                "DewPressureSelectComponentForm1", selectCaption,
                                                "click to calculate Dew Pressure"),
                                            true, 12));
    table.emplace(K::DewTemperature, bubbleDew(row(K::DewTemperature, false, "DewTemperatureCalculator",
                                                   "Dew Temperature Calculator", "Dew Temperature Calculator",
                                                   "DewTemperatureSelectComponentForm1", selectCaption,
                                                   "click to calculate Dew Temperature"),
                                               false, 15));

    MixtureWindowConfig flash =
        reported(row(K::Flash, false, "FlashCalculator", "Flash Calculator", "Flash Calculator Calculator",
                     "FlashSelectComponentForm1", selectCaption, "click to calculate "),
                 "Flash.htm", 44, 16);
    flash.countKeys = CountKeys::ListOnly;
    flash.loadFailure = dataLoading;
    table.emplace(K::Flash, flash);

    MixtureWindowConfig volume =
        reported(row(K::MolarVolume, false, "MixtureMolarVolumeCalculator", "MixtureMolarVolumeCalculator",
                     "Mixture Molar Volume Calculator", "SelectComponentForm1", selectCaption,
                     "click to calculate volume"),
                 bubbleDewTemplate, 34, 8);
    volume.temperatureUnits = {"fahrenheit", "celsius", "kelvin"};
    volume.pressureUnits = {"atm", "bar", "kpa", "mm Hg", "pa", "psia"};
    volume.loadFailure = dataLoading;
    table.emplace(K::MolarVolume, volume);

    MixtureWindowConfig partial =
        reported(row(K::PartialFugacity, true, "PartialFugacityCalculator", "PartialFugacityCalculator",
                     "Species Fugacity  Calculator", "PartialFugacitySelectComponentForm1", selectCaption,
                     "click to calculate Partial Fugacity"),
                 "PartialFugacitycalculator.htm", 47, 10);
    partial.pressureUnits = {"atm", "bar", "kpa", "mm Hg", "Mpa", "pa"};
    partial.countKeys = CountKeys::Typed;
    partial.loadFailure = "error in database connection";
    table.emplace(K::PartialFugacity, partial);

    MixtureWindowConfig departure =
        reported(row(K::MixtureDeparture, true, "MixtureDepartureCalculator", "MixtureDepartureFunction Calculator",
                     "Mixture Departure Function  Calculator", "DepartureSelectComponentForm1",
                     "Departure Select ComponentForm1", "click to calculate Departure Function"),
                 "MixtureDeparturecalculator.htm", 51, 11);
    departure.countKeys = CountKeys::Typed;
    departure.loadFailure = dataLoading;
    table.emplace(K::MixtureDeparture, departure);

    MixtureWindowConfig fugacity =
        reported(row(K::MixtureFugacity, true, "MixtureFugacityCalculator", "Mixture Fugacity Calculator",
                     "Mixture Fugacity  Calculator", "FugacitySelectComponentForm1", selectCaption,
                     "click to calculate Fugacity"),
                 "MixtureFugacitycalculator.htm", 51, 9);
    fugacity.loadFailure = dataLoading;
    table.emplace(K::MixtureFugacity, fugacity);
    return table;
}

} // namespace

const MixtureWindowConfig& mixtureWindowConfig(MixtureWindowKind kind)
{
    static const std::map<MixtureWindowKind, MixtureWindowConfig> table = buildTable();
    return table.at(kind);
}

const std::vector<MixtureWindowKind>& mixtureWindowKinds()
{
    using K = MixtureWindowKind;
    static const std::vector<MixtureWindowKind> kinds = {
        K::BubblePressure, K::BubbleTemperature, K::DewPressure,      K::DewTemperature,  K::Flash,
        K::MolarVolume,    K::PartialFugacity,   K::MixtureDeparture, K::MixtureFugacity,
    };
    return kinds;
}

} // namespace calvex::mixture
