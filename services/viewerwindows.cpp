#include "services/viewerwindows.h"

#include "services/chartwindow.h"
#include "services/resultviewer.h"
#include "shell/windownames.h"
#include "shell/windowregistry.h"

namespace calvex::services {

void registerViewerWindows()
{
    auto& registry = shell::WindowRegistry::instance();
    registry.registerWindow(shell::resultViewerWindow, [] { return new frmTextEditor; },
                            shell::Placement::MdiChild);
    registry.registerWindow(shell::chartWindow, [] { return new plotfrmTextEditor1; },
                            shell::Placement::TopLevel);
    setReportPresenter(presentReport);
}

} // namespace calvex::services
