#include "pure/purewindows.h"

#include "pure/purecalculatorwindow.h"
#include "widgets/windowregistry.h"

namespace calvex::pure {

void registerPureWindows()
{
    for (const PureWindowKind kind : pureWindowKinds())
        widgets::WindowRegistry::instance().registerWindow(QString::fromStdString(pureWindowConfig(kind).name),
                                                         [kind] { return new PureCalculatorWindow(kind); });
}

} // namespace calvex::pure
