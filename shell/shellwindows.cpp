#include "shell/shellwindows.h"

#include "shell/mainmenuform.h"
#include "shell/mdiform1.h"
#include "shell/startwindows.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

namespace calvex::shell {

void registerShellWindows()
{
    services::WindowRegistry& registry = services::WindowRegistry::instance();
    registry.registerWindow(services::frameWindow, [] { return new MDIForm1; }, services::Placement::TopLevel);
    registry.registerWindow(services::launcherWindow, [] { return new MAINMENUFORM; }, services::Placement::MdiChild);
    registry.registerWindow(services::coverWindow, [] { return new calvexcover; }, services::Placement::TopLevel);
    registry.registerWindow(services::splashWindow, [] { return new CalvexStartup; }, services::Placement::TopLevel);
    for (const services::NeighbourWindow& window : services::neighbourWindows())
        registry.declareWindow(QString::fromLatin1(window.name), window.placement);
}

void startProgram() { services::WindowRegistry::instance().show(services::coverWindow); }

} // namespace calvex::shell
