#pragma once
// The names of the windows the shell opens, shows or closes by name.

#include "widgets/windowregistry.h"

#include <QString>

#include <vector>

namespace calvex::widgets {

inline const QString frameWindow = QStringLiteral("MDIForm1");
inline const QString launcherWindow = QStringLiteral("MAINMENUFORM");
inline const QString coverWindow = QStringLiteral("calvexcover");
inline const QString splashWindow = QStringLiteral("CalvexStartup");
inline const QString unifacWindow = QStringLiteral("fMain");
inline const QString aboutWindow = QStringLiteral("frmAbout");
inline const QString helpWindow = QStringLiteral("helpSoftware");
inline const QString resultViewerWindow = QStringLiteral("frmTextEditor");
inline const QString chartWindow = QStringLiteral("plotfrmTextEditor1");

// The frame's caption; the frame and the two start windows bear it and no other window does.
inline const QString frameCaption = QStringLiteral("Calvex");

struct NeighbourWindow {
    const char* name;
    Placement placement;
};

// Every window of the other subsystems that the shell opens or closes: the calculators, their
// component-selection and data-point windows, the UNIFAC window, the result viewer, the chart
// window, the help browser and the about box.
const std::vector<NeighbourWindow>& neighbourWindows();

} // namespace calvex::widgets
