#include "shell/helpwindows.h"

#include "shell/aboutbox.h"
#include "shell/helpbrowser.h"
#include "shell/windowregistry.h"

namespace calvex::shell {

void registerHelpWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow(QStringLiteral("helpSoftware"), [] { return new HelpBrowser; }, Placement::TopLevel);
    registry.registerWindow(QStringLiteral("frmAbout"), [] { return new AboutBox; }, Placement::Dialog);
}

} // namespace calvex::shell
