#pragma once
// The toolbar that the frame, the result viewer and the chart window carry, and the File menu
// of the last two.

#include <functional>
#include <initializer_list>

class QMenu;
class QMenuBar;
class QString;
class QToolBar;
class QWidget;

namespace calvex::services {

struct ToolbarKey {
    const char* key;
    const char* caption;
    const char* picture; // one of the program's pictures (services/pictures.h)
    const char* toolTip = nullptr; // nullptr: the caption
};

// Names `toolbar` "Toolbar", fixes it in place and gives it one button a key, named after its
// key, with its picture above its caption; a click calls `clicked` with the key.
void fillToolbar(QToolBar* toolbar, std::initializer_list<ToolbarKey> keys,
                 const std::function<void(const QString&)>& clicked);

struct FileMenuActions {
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> exit;
};

// Adds the File menu "&File" with "&Save" (Ctrl+S, anywhere in `owner`), "Save &As..." and
// "E&xit", named mnuFile, mnuFileSave, mnuFileSaveAs and mnuFileExit.
QMenu* addFileMenu(QMenuBar* bar, QWidget* owner, const FileMenuActions& actions);

} // namespace calvex::services
