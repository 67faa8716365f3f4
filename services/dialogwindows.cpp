#include "services/dialogwindows.h"

#include "services/constantsdialog.h"
#include "services/inputabcd.h"
#include "services/windowregistry.h"

namespace calvex::services {

void registerDialogWindows()
{
    auto& registry = WindowRegistry::instance();
    for (int component = 0; component <= ConstantsDialog::maxComponent; ++component)
        registry.registerWindow(
            ConstantsDialog::instanceName(component), [component] { return new ConstantsDialog(component); },
            Placement::Dialog);
    registry.registerWindow(QStringLiteral("InputABCD"), [] { return new InputABCD; }, Placement::Dialog);
}

} // namespace calvex::services
