#pragma once
// The frame `MDIForm1`: the main window hosting the launcher and every calculator as child
// windows, with the menu tree, the toolbar `Toolbar` and the status bar `StatusBar3`.

#include "shell/framemenu.h"

#include <QMainWindow>

class QMdiArea;
class QToolBar;
class QStatusBar;

namespace calvex::shell {

class MDIForm1 : public QMainWindow {
    Q_OBJECT

public:
    MDIForm1();

    // Runs when the frame is first shown: centres it and shows the launcher.
    void MDIForm_Load();
    void Toolbar_ButtonClick(const QString& key);
    void chooseMenuItem(const FrameMenuItem& item);

    QMdiArea* mdiArea() const { return m_area; }
    QToolBar* Toolbar = nullptr;
    QStatusBar* StatusBar3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildStatusBar();
    void askToEnd();

    QMdiArea* m_area = nullptr;
    bool m_loaded = false;
};

} // namespace calvex::shell
