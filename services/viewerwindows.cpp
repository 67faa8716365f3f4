#include "services/viewerwindows.h"

#include "services/aboutbox.h"
#include "services/chartwindow.h"
#include "services/resultviewer.h"
#include "services/windownames.h"
#include "services/windowregistry.h"

namespace calvex::services {

void registerViewerWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow(resultViewerWindow, [] { return new frmTextEditor; }, Placement::MdiChild);
    registry.registerWindow(chartWindow, [] { return new plotfrmTextEditor1; }, Placement::TopLevel);
    registry.registerWindow(aboutWindow, [] { return new AboutBox; }, Placement::Dialog);
    setReportPresenter(presentReport);
}

} // namespace calvex::services
