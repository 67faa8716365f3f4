#include "shell/shellwindows.h"

#include "shell/mainmenuform.h"
#include "shell/mdiform1.h"
#include "shell/startwindows.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

namespace calvex::shell {

void registerShellWindows()
{
    widgets::WindowRegistry& registry = widgets::WindowRegistry::instance();
    registry.registerWindow(widgets::frameWindow, [] { return new MDIForm1; }, widgets::Placement::TopLevel);
    registry.registerWindow(widgets::launcherWindow, [] { return new MAINMENUFORM; }, widgets::Placement::MdiChild);
    registry.registerWindow(widgets::coverWindow, [] { return new calvexcover; }, widgets::Placement::TopLevel);
    registry.registerWindow(widgets::splashWindow, [] { return new CalvexStartup; }, widgets::Placement::TopLevel);
    for (const widgets::NeighbourWindow& window : widgets::neighbourWindows())
        registry.declareWindow(QString::fromLatin1(window.name), window.placement);
}

void startProgram() { widgets::WindowRegistry::instance().show(widgets::coverWindow); }

} // namespace calvex::shell
