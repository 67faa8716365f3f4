#include "shell/helpwindows.h"

#include "services/windowregistry.h"
#include "shell/helpbrowser.h"

namespace calvex::shell {

void registerHelpWindows()
{
    services::WindowRegistry::instance().registerWindow(QStringLiteral("helpSoftware"), [] { return new HelpBrowser; },
                                                        services::Placement::TopLevel);
}

} // namespace calvex::shell
