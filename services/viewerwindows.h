#pragma once
// Makes the result viewer and the chart window loadable by name and puts the viewer behind
// ShowResultReport. Called once at start-up, before any calculator reports.

namespace calvex::services {

// Registers "frmTextEditor" (a frame child) and "plotfrmTextEditor1" (a window of its own)
// with the window registry and installs the report presenter (services/resultformat.h).
void registerViewerWindows();

} // namespace calvex::services
