#pragma once
// What sets the seven pure-component calculator windows apart: their texts, boxes, lists, key
// filters, dialogs, check rules, report and plots. The frame reads everything from here; the
// calculation of each window is the one function named by `kind` (purecalculator.h).

#include "services/chartfill.h"
#include "services/keyfilter.h"

#include <string>
#include <vector>

namespace calvex::pure {

enum class PureWindowKind {
    MolarVolume,
    SaturationPressure,
    SaturationTemperature,
    Fugacity,
    Departure,
    Entropy,
    Enthalpy,
};

// What a list does with a typed key.
enum class ListKeys {
    Swallow,        // nothing: the list changes only when the user picks an entry
    SelectByLetter, // the list's own selection of the next entry with that first letter
};

struct UnitListConfig {
    std::vector<std::string> entries; // in the order shown
    std::string initialText;          // empty: no entry until the window selects one at load
    ListKeys keys = ListKeys::Swallow;
    bool selectFirstAtLoad = false;
};

// The rules of the constant checks, which differ a little between the windows.
struct ConstantCheckRules {
    std::string omegaPrompt;
    // The acentric factor is asked when it is not above 0; otherwise only when it is exactly 0.
    bool omegaAskedWhenNegative = false;
    // A negative reply to the Tc, Tb and omega prompts has its own message; otherwise every
    // unusable reply gets "invalid input so quiting".
    bool negativeRepliesNamed = true;
};

enum class Swept { Temperature, Pressure };

// One sweep of a window: the argument the result viewer passes, the kind its sweep writer is
// called with and the points file it writes.
struct SweepConfig {
    std::string argument; // "T", "P", or empty for the saturation windows
    std::string kind;     // "TD"/"PD", "TF"/"PF", "TV"/"PV"; empty for the saturation windows
    std::string file;     // "points1.dat" or "points2.dat"
    Swept swept = Swept::Temperature;
};

struct PureWindowConfig {
    PureWindowKind kind;
    std::string name;    // the window's name, its objectName
    std::string caption; // the window caption
    std::string title;   // Label1
    std::string listHint; // Label8
    std::string buttonName;
    std::string buttonCaption;

    bool hasTemperature = true;
    bool hasPressure = true;
    services::KeyFilter temperatureFilter = services::KeyFilter::SignedNumber;
    services::KeyFilter pressureFilter = services::KeyFilter::UnsignedNumber;
    UnitListConfig temperatureUnits;
    UnitListConfig pressureUnits;
    ListKeys componentKeys = ListKeys::Swallow;

    bool asksHeatCapacity = false;      // InputABCD after GetPcTcOmega
    bool unloadsConstantsDialog = false; // GetPcTcOmega is unloaded once its boxes are read
    bool asksReference = false;         // the reference-temperature prompt
    std::string referencePrompt;
    ConstantCheckRules checks;
    std::string temperatureMessage; // shown before the temperature prompt

    // Failure messages; an empty text means the failure is ignored without a message.
    std::string loadFailure;
    std::string commandFailure;
    std::string lostFocusFailure;

    std::string templateName;
    int count = 0;       // report values handed to the template
    int resultSize = 0;  // elements of the report array, element 0 unused
    int resultKind = 0;

    std::vector<SweepConfig> sweeps;
    // The saturation windows draw the points that converged; the others draw all or nothing.
    bool leavesOutFailures = false;
    int curves = 1;
    services::SweepPlot sweepPlot = services::SweepPlot::EnthalpyEntropy; // the chart's titles and legends
    std::string sweepFailure; // the sweep writer's failure
};

const PureWindowConfig& pureWindowConfig(PureWindowKind kind);
const std::vector<PureWindowKind>& pureWindowKinds();

// The sweep that `argument` ("T", "P", or empty) selects, or nullptr.
const SweepConfig* sweepFor(const PureWindowConfig& config, const std::string& argument);
// The sweep of that writer's `kind` ("TD", "PF", …), or nullptr.
const SweepConfig* sweepOfKind(const PureWindowConfig& config, const std::string& kind);

inline constexpr char notListed[] = "not listed";

} // namespace calvex::pure
