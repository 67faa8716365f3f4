#include "shell/helpwindows.h"

#include "shell/helpbrowser.h"
#include "widgets/windowregistry.h"

namespace calvex::shell {

void registerHelpWindows()
{
    services::WindowRegistry::instance().registerWindow(QStringLiteral("helpSoftware"), [] { return new HelpBrowser; },
                                                        services::Placement::TopLevel);
}

} // namespace calvex::shell
