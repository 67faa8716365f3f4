#pragma once
// Opening the program's about box frmAbout from the result viewer and the chart window.

#include <QString>

namespace calvex::services {

// Modal: runs the box (a dialog) until it is closed; a box already shown modelessly is brought
// to the front instead. Not modal: sets its title label lblTitle to `title` when one is given
// and shows it. While no about box is registered, shows the registry's "not available yet" note.
void showAboutBox(bool modal, const QString& title = {});

} // namespace calvex::services
