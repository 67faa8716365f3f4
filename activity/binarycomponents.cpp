#include "activity/binarycomponents.h"

#include "services/numbers.h"
#include "services/ui.h"

namespace calvex::activity {
namespace {

using services::ui;
using services::val;

// The 32-bit store of a typed or prompted number; a number beyond the range reads as 0, which
// every check below refuses.
float single(double value) { return services::toSingle(value).value_or(0.0f); }

bool askConstant(float& value, bool needed, const std::string& prompt, const char* negativeMessage)
{
    if (!needed)
        return true;
    const float reply = single(val(ui().ask(prompt)));
    if (reply > 0) {
        value = reply;
        return true;
    }
    ui().message(reply < 0 && negativeMessage ? negativeMessage : invalidInput);
    return false;
}

} // namespace

std::string constantsDialogName(int index) { return "GetPcTcOmega" + std::to_string(index + 1); }

bool gatherComponent(pure::PureWindowServices& services, const ComponentChoice& choice, int index,
                     pure::ComponentColumns columns, core::ComponentConstants& constants)
{
    constants = {};
    if (choice.listed) {
        constants.compoundname = choice.listText;
        if (!choice.sno)
            return true;
        core::ComponentConstants row;
        const pure::ComponentLookup lookup = services.readComponent(*choice.sno, row, columns);
        if (!lookup.ok()) {
            ui().message("error in loading data");
            return false;
        }
        if (lookup.found) {
            row.compoundname = constants.compoundname;
            constants = row;
        }
        return true;
    }
    const services::ModalDialog* dialog = services.dialog(constantsDialogName(index));
    if (!dialog)
        return true;
    constants.compoundname = dialog->fieldText(0);
    constants.Tc = single(val(dialog->fieldText(1)));
    constants.Pc = single(val(dialog->fieldText(2)));
    constants.omega = single(val(dialog->fieldText(3)));
    constants.Tb = single(val(dialog->fieldText(4)));
    return true;
}

bool askMissingConstants(core::ComponentConstants& c, const OmegaRule& omega)
{
    const std::string& name = c.compoundname;
    return askConstant(c.Pc, c.Pc <= 0, "Please enter the Critical pressure(in bar) of  " + name + "  it is unavailable",
                       nullptr)
        && askConstant(c.Tc, c.Tc <= 0,
                       "Please enter the Critical Temperature(in kelvin) of  " + name + "  it is unavailable",
                       "Tc cannot be negative so quiting")
        && askConstant(c.Tb, c.Tb <= 0,
                       "Please enter the Normal Boiling  Temperature(in kelvin) of  " + name + " it is unavailable",
                       "Tb cannot be negative so quiting")
        && askConstant(c.omega, omega.askedWhenNegative ? c.omega <= 0 : c.omega == 0,
                       "Please enter the " + omega.word + " factor of  " + name + " it is unavailable",
                       "omega cannot be negative so quiting");
}

} // namespace calvex::activity
