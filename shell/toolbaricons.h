#pragma once
// The pictures of the help browser's toolbar buttons, drawn rather than shipped so they follow
// the screen's scale.

#include <QIcon>
#include <QString>

namespace calvex::shell {

// The picture for toolbar key "Back", "Next", "Home", "links" or "Email"; an empty icon for any
// other key.
QIcon helpToolbarIcon(const QString& key);

} // namespace calvex::shell
