#include "shell/helptopics.h"

#include <algorithm>
#include <array>

namespace calvex::shell {
namespace {

constexpr std::array<HelpTopic, 29> topics{{
    {"r1", "Installing The Software", "", "2.htm"},
    {"r2", "Using The Software ", "", "3.htm"},
    {"r3", "Pure Component Calculator ", "", ""},
    {"r4", "Mixture Properties Calculator", "", ""},
    {"r5", "Phase Equilibrium Calculator", "", ""},
    {"r6", "About The Database", "", "databasehelp.htm"},
    {"1child1", "Molar Volume Calculator ", "r3", "cardanhelp.htm"},
    {"1child2", "Saturation Pressure Calculator ", "r3", "saturationpressurehelp.htm"},
    {"1child3", "Saturation Temperature Calculator", "r3", "sattemphelp.htm"},
    {"1child4", "Fugacity Calculator", "r3", "fugacityhelp.htm"},
    {"1child5", "Departure Functions Calculator", "r3", "departurefunctionhelp.htm"},
    {"1child6", "Enthalpy Calculator", "r3", "enthalpyhelp.htm"},
    {"1child7", "Entropy Calculator", "r3", "enthalpyhelp.htm"},
    {"2child1", "Mixture Molar Volume Calculator", "r4", "MixtureMolarVolumehelp.htm"},
    {"2child2", "Mixture Fugacity Calculator", "r4", "mixturefugacity.htm"},
    {"2child3", "Partial Fugacity Calculator", "r4", "partial_fugacity_help.htm"},
    {"2child4", "Mixture Departure Function Calculator", "r4", "MixtureDepartureFunctionhelp.htm"},
    {"3child1", "Dew Pressure calulator ", "r5", "dewpressurehelp.htm"},
    {"3child2", "Dew Temperature Calculator", "r5", "dewtemperaturehelp.htm"},
    {"3child3", "Bubble Pressure  Calculator", "r5", "bubblepressurehelp.htm"},
    {"3child4", "Bubble Temperature Calculator", "r5", "bubbletemperaturehelp.htm"},
    {"3child5", " Vle Gibb's Free Energy Calculator", "r5", "excessfreeenergymodelshelp.htm"},
    {"3child6", "P-x-y(Van-Laar)", "r5", "vlehelp.htm"},
    {"3child7", "P-x-y(Margules)", "r5", "vlehelp.htm"},
    {"3child8", "T -x-y(Van-Laar)", "r5", "vlehelp.htm"},
    {"3child9", "T-x-y (Margules)", "r5", "vlehelp.htm"},
    {"3child10", "Margules and Van-Laar parameter Calculator", "r5", "parameterhelp.htm"},
    {"3child11", "Vle Unifac", "r5", "unifachelp.htm"},
    {"3child12", "Flash Calculator", "r5", "flashcalulationhelp.htm"},
}};

} // namespace

std::span<const HelpTopic> helpTopics() { return topics; }

std::string_view helpPageForText(std::string_view text)
{
    for (const HelpTopic& topic : topics)
        if (topic.text == text)
            return topic.page;
    return {};
}

std::vector<std::string> helpPageNames()
{
    std::vector<std::string> pages{std::string(helpHomePage)};
    for (const HelpTopic& topic : topics)
        if (!topic.page.empty() && std::find(pages.begin(), pages.end(), topic.page) == pages.end())
            pages.emplace_back(topic.page);
    return pages;
}

} // namespace calvex::shell
