#include "shell/helpwindows.h"

#include "shell/helpbrowser.h"
#include "widgets/windowregistry.h"

namespace calvex::shell {

void registerHelpWindows()
{
    widgets::WindowRegistry::instance().registerWindow(QStringLiteral("helpSoftware"), [] { return new HelpBrowser; },
                                                        widgets::Placement::TopLevel);
}

} // namespace calvex::shell
