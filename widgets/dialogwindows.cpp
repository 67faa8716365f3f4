#include "widgets/dialogwindows.h"

#include "widgets/constantsdialog.h"
#include "widgets/inputabcd.h"
#include "widgets/windowregistry.h"

namespace calvex::widgets {

void registerDialogWindows()
{
    auto& registry = WindowRegistry::instance();
    for (int component = 0; component <= ConstantsDialog::maxComponent; ++component)
        registry.registerWindow(
            ConstantsDialog::instanceName(component), [component] { return new ConstantsDialog(component); },
            Placement::Dialog);
    registry.registerWindow(QStringLiteral("InputABCD"), [] { return new InputABCD; }, Placement::Dialog);
}

} // namespace calvex::widgets
