#pragma once
// Makes the result viewer, the chart window and the about box they open loadable by name and
// puts the viewer behind
// ShowResultReport. Called once at start-up, before any calculator reports.

namespace calvex::widgets {

// Registers "frmTextEditor" (a frame child), "plotfrmTextEditor1" (a window of its own) and
// "frmAbout" (a dialog) with the window registry and installs the report presenter (services/resultformat.h).
void registerViewerWindows();

} // namespace calvex::widgets
