#include "services/viewerwindows.h"

#include "services/chartwindow.h"
#include "services/resultviewer.h"
#include "shell/windowregistry.h"

namespace calvex::services {

void registerViewerWindows()
{
    auto& registry = shell::WindowRegistry::instance();
    registry.registerWindow(QString::fromLatin1(resultViewerName), [] { return new frmTextEditor; },
                            shell::Placement::MdiChild);
    registry.registerWindow(QString::fromLatin1(chartWindowName), [] { return new plotfrmTextEditor1; },
                            shell::Placement::TopLevel);
    setReportPresenter(presentReport);
}

} // namespace calvex::services
