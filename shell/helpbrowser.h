#pragma once
// The help window helpSoftware: a window of its own with a topic tree on the left, the help
// page on the right and a toolbar across the top (Back, Next, Home, the product page, mail).
// Its pages are the HTML files of the program folder. Its controls keep their proportions,
// and the tree's text size follows the window's width, when the window is resized.

#include "widgets/windowregistry.h"

#include <QWidget>

#include <string_view>
#include <vector>

class QAction;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace calvex::widgets {
class WebBrowser;
}

namespace calvex::shell {

class HelpBrowser : public QWidget, public widgets::UnloadHandler {
    Q_OBJECT

public:
    static constexpr const char* productPage = "https://www.example.org/calvex/";
    static constexpr const char* contactAddress = "calvex@example.org";

    explicit HelpBrowser(QWidget* parent = nullptr);

    QToolBar* Toolbar1() const { return m_toolbar; }
    QTreeWidget* TreeView1() const { return m_tree; }
    widgets::WebBrowser* brwWebBrowser() const { return m_browser; }
    QTimer* timTimer() const { return m_timer; }
    // The toolbar button of that key, or nullptr.
    QAction* toolbarButton(const QString& key) const;
    // The file name of the page showing.
    QString currentPage() const;

    void Form_Load();
    void Form_Unload() override;
    void TreeView1_NodeClick(QTreeWidgetItem* node);
    void Toolbar1_ButtonClick(const QString& key);
    void timTimer_Timer();
    void SendEmail();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Control {
        QWidget* widget;
        bool hasFont;
    };

    void navigate(std::string_view page);
    void RecordControlLayout();
    void ScaleControls();

    QToolBar* m_toolbar;
    QTreeWidget* m_tree;
    widgets::WebBrowser* m_browser;
    QTimer* m_timer;
    std::vector<Control> m_controls;
};

} // namespace calvex::shell
