#include "tests/pure/purefixture.h"

#include "data/csvreader.h"
#include "data/propertieswriter.h"
#include "pure/componentdatabase.h"
#include "pure/purewindowconfig.h"
#include "services/numbers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace calvex::testing {

PureFixtureFolder::PureFixtureFolder()
{
    const char* const rows =
        "SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,VPD,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n"
        "109,n-butane,37.96,425.1,272.7,0.2,0,0,0,0,0,23.64698,0.2498569,4.159604e-05,-9.117754e-08\n"
        "79,propane,42.48,369.8,231.1,0.152,0,0,0,0,0,15.38936,0.19355,3.357778e-05,-7.055147e-08\n"
        "0,not listed,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
        "23,methane,45.99,190.6,111.7,0.011,0,0,0,0,0,34.60369,-0.03617834,0.0001636576,-9.053587e-08\n"
        "8,zero omega fluid,40,400,300,0,0,0,0,0,0,20,0.1,0,0\n"
        "7,Argon,48.98,150.86,87.27,-0.002,0,0,0,0,0,20.78616,0,0,0\n";
    data::writePropertiesDatabase(file(pure::componentDatabaseFile), data::parseCsv(rows),
                                  pure::componentDatabaseKey);
    for (const pure::PureWindowKind kind : pure::pureWindowKinds()) {
        const pure::PureWindowConfig& config = pure::pureWindowConfig(kind);
        std::string probe;
        for (int i = 0; i < config.count; ++i)
            probe += "variable\n";
        write(config.templateName, probe);
    }
}

std::vector<std::string> PureFixtureFolder::reportValues() const
{
    std::vector<std::string> values{""};
    std::istringstream page(read("result.htm"));
    for (std::string line; std::getline(page, line);)
        values.push_back(line);
    // result.htm ends with CR LF after the last line of the template.
    if (!values.empty() && values.back() == "\r")
        values.pop_back();
    return values;
}

std::vector<std::string> PureFixtureFolder::pointsLines(const std::string& name) const
{
    std::vector<std::string> lines;
    std::istringstream content(read(name));
    for (std::string line; std::getline(content, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<double> numbers(const std::string& line)
{
    std::vector<double> values;
    std::istringstream items(line);
    for (std::string item; std::getline(items, item, ',');)
        values.push_back(services::val(item));
    return values;
}

} // namespace calvex::testing
