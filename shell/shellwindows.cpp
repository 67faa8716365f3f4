#include "shell/shellwindows.h"

#include "shell/mainmenuform.h"
#include "shell/mdiform1.h"
#include "shell/startwindows.h"
#include "shell/windownames.h"
#include "shell/windowregistry.h"

namespace calvex::shell {

void registerShellWindows()
{
    WindowRegistry& registry = WindowRegistry::instance();
    registry.registerWindow(frameWindow, [] { return new MDIForm1; }, Placement::TopLevel);
    registry.registerWindow(launcherWindow, [] { return new MAINMENUFORM; }, Placement::MdiChild);
    registry.registerWindow(coverWindow, [] { return new calvexcover; }, Placement::TopLevel);
    registry.registerWindow(splashWindow, [] { return new CalvexStartup; }, Placement::TopLevel);
    for (const NeighbourWindow& window : neighbourWindows())
        registry.declareWindow(QString::fromLatin1(window.name), window.placement);
}

void startProgram() { WindowRegistry::instance().show(coverWindow); }

} // namespace calvex::shell
