#include "unifac/unifacwindows.h"

#include "services/windowregistry.h"
#include "unifac/unifaccalculator.h"

namespace calvex::unifac {

void registerUnifacWindows()
{
    services::WindowRegistry::instance().registerWindow(QStringLiteral("fMain"), [] { return new fMain; });
}

} // namespace calvex::unifac
