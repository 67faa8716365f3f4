#include "unifac/unifacwindows.h"

#include "unifac/unifaccalculator.h"
#include "widgets/windowregistry.h"

namespace calvex::unifac {

void registerUnifacWindows()
{
    widgets::WindowRegistry::instance().registerWindow(QStringLiteral("fMain"), [] { return new fMain; });
}

} // namespace calvex::unifac
