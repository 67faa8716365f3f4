#include "widgets/viewerwindows.h"

#include "widgets/aboutbox.h"
#include "widgets/chartwindow.h"
#include "widgets/resultviewer.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

namespace calvex::widgets {

void registerViewerWindows()
{
    auto& registry = WindowRegistry::instance();
    registry.registerWindow(resultViewerWindow, [] { return new frmTextEditor; }, Placement::MdiChild);
    registry.registerWindow(chartWindow, [] { return new plotfrmTextEditor1; }, Placement::TopLevel);
    registry.registerWindow(aboutWindow, [] { return new AboutBox; }, Placement::Dialog);
    services::setReportPresenter(presentReport);
}

} // namespace calvex::widgets
