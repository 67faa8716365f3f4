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

namespace calvex::widgets {

struct ToolbarKey {
    const char* key;
    const char* caption;
    const char* picture; // one of the program's pictures (widgets/pictures.h)
    const char* toolTip = nullptr; // nullptr: the caption
};

// Whether Tab reaches a toolbar's buttons. A child window's are reached after the window's own
// controls, in the order they stand, and Space presses them as a click does. The frame's stay
// out: its Cut, Copy and Paste act on the box that has the focus.
enum class ToolbarFocus { OutOfTabChain, AfterOwnControls };

// Names `toolbar` "Toolbar", fixes it in place and gives it one button a key, named after its
// key, with its picture above its caption; a click calls `clicked` with the key. With
// AfterOwnControls the buttons follow every control that shares the toolbar's parent, also
// those made after the toolbar.
void fillToolbar(QToolBar* toolbar, std::initializer_list<ToolbarKey> keys, ToolbarFocus focus,
                 const std::function<void(const QString&)>& clicked);

// Puts the buttons of a filled toolbar into the Tab chain, as AfterOwnControls does.
void reachWithTab(QToolBar* toolbar);

struct FileMenuActions {
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> exit;
};

// Adds the File menu "&File" with "&Save" (Ctrl+S, anywhere in `owner`), "Save &As..." and
// "E&xit", named mnuFile, mnuFileSave, mnuFileSaveAs and mnuFileExit.
QMenu* addFileMenu(QMenuBar* bar, QWidget* owner, const FileMenuActions& actions);

} // namespace calvex::widgets
