#include "services/dialogwindows.h"

#include "services/constantsdialog.h"
#include "services/inputabcd.h"
#include "shell/windowregistry.h"

namespace calvex::services {

void registerDialogWindows()
{
    auto& registry = shell::WindowRegistry::instance();
    for (int component = 0; component <= ConstantsDialog::maxComponent; ++component)
        registry.registerWindow(
            ConstantsDialog::instanceName(component), [component] { return new ConstantsDialog(component); },
            shell::Placement::Dialog);
    registry.registerWindow(QStringLiteral("InputABCD"), [] { return new InputABCD; }, shell::Placement::Dialog);
}

} // namespace calvex::services
