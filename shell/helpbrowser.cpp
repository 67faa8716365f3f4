#include "shell/helpbrowser.h"

#include "services/numbers.h"
#include "services/programfolder.h"
#include "shell/desktop.h"
#include "shell/helptopics.h"
#include "widgets/colours.h"
#include "widgets/pictures.h"
#include "widgets/spokennames.h"
#include "widgets/webbrowser.h"
#include "widgets/windowcommands.h"
#include "widgets/windowplacement.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <map>

namespace calvex::shell {
namespace {

using services::twipsFromPixels;

constexpr double designWidth = 8490;
constexpr double designHeight = 6330;
constexpr int busyPollMilliseconds = 5;

struct ToolbarButton {
    const char* key;
    const char* picture;
};
const ToolbarButton toolbarButtons[] = {
    {"Back", "back"}, {"Next", "next"}, {"Home", "mainpage"}, {"links", "links"}, {"Email", "email"},
};
// The help window is the white page of a web browser beside a white tree, whatever the
// desktop's colours: the tree's dark green and the pages' headings and links are chosen for it.
const QColor pageColour(255, 255, 255);
const QColor pageTextColour(0, 0, 0);
const QColor treeTextColour(0, 127, 0);

struct LayoutRatio {
    float HeightRatio = 0;
    float WidthRatio = 0;
    float TopRatio = 0;
    float LeftRatio = 0;
};

// Recorded once per program run, at the first creation, and kept when the window closes, so a
// reopened window scales from the designed layout and never from a resized one.
struct LayoutRecord {
    bool recorded = false;
    std::vector<LayoutRatio> ratios;
    std::vector<float> FontRatio;
};

LayoutRecord& layoutRecord()
{
    static LayoutRecord record;
    return record;
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Help "));
    resize(widgets::sizeFromTwips(*this, designWidth, designHeight));

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setIconSize(widgets::sizeFromTwips(*this, 480, 480));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& [key, picture] : toolbarButtons) {
        auto* button = new QAction(widgets::pictureIcon(QString::fromLatin1(picture)), QString(), m_toolbar);
        button->setObjectName(QString::fromLatin1(key));
        m_toolbar->addAction(button);
        connect(button, &QAction::triggered, this, [this, button] { Toolbar1_ButtonClick(button->objectName()); });
    }
    widgets::placeInTwips(*m_toolbar, {0, 0, 8490, 780});
    widgets::reachWithTab(m_toolbar);
    widgets::nameToolbarButtons(*m_toolbar);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    widgets::announceAs(*m_tree, QStringLiteral("Help topics"));
    m_tree->setColumnCount(1);
    // Long topic texts scroll sideways rather than being cut short.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    QFont treeFont(QStringLiteral("MS Sans Serif"));
    treeFont.setStyleHint(QFont::SansSerif);
    treeFont.setPointSizeF(8.25);
    treeFont.setBold(true);
    m_tree->setFont(treeFont);
    widgets::placeInTwips(*m_tree, {0, 840, 3255, 5535});
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { TreeView1_NodeClick(node); });

    m_browser = new widgets::WebBrowser(this);
    m_browser->setObjectName(QStringLiteral("brwWebBrowser"));
    widgets::setFixedColours(*m_browser, pageTextColour, pageColour);
    widgets::placeInTwips(*m_browser, {3240, 720, 5280, 5655});

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timTimer"));
    m_timer->setInterval(busyPollMilliseconds);
    connect(m_timer, &QTimer::timeout, this, [this] { timTimer_Timer(); });

    m_controls = {{m_toolbar, false}, {m_tree, true}, {m_browser, false}};
    RecordControlLayout();
    Form_Load();
}

QAction* HelpBrowser::toolbarButton(const QString& key) const
{
    for (QAction* button : m_toolbar->actions())
        if (button->objectName() == key)
            return button;
    return nullptr;
}

QString HelpBrowser::currentPage() const { return QFileInfo(m_browser->LocationPath()).fileName(); }

void HelpBrowser::navigate(std::string_view page)
{
    m_browser->Navigate(QString::fromStdString(services::programFile(std::string(page)).string()));
}

void HelpBrowser::Form_Load()
{
    m_tree->setRootIsDecorated(true);
    m_tree->clear();
    std::map<std::string_view, QTreeWidgetItem*> nodes;
    for (const HelpTopic& topic : helpTopics()) {
        const QString text = QString::fromUtf8(topic.text.data(), static_cast<qsizetype>(topic.text.size()));
        QTreeWidgetItem* node = topic.parent.empty() ? new QTreeWidgetItem(m_tree, QStringList{text})
                                                     : new QTreeWidgetItem(nodes.at(topic.parent), QStringList{text});
        node->setData(0, Qt::UserRole, QString::fromUtf8(topic.key.data(), static_cast<qsizetype>(topic.key.size())));
        nodes[topic.key] = node;
    }
    navigate(helpInstallPage);
    navigate(helpHomePage);
    widgets::setFixedColours(*m_tree, treeTextColour, pageColour);
}

void HelpBrowser::Form_Unload() { navigate(helpHomePage); }

void HelpBrowser::TreeView1_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const std::string text = node->text(0).toStdString();
    const std::string_view page = helpPageForText(text);
    if (!page.empty())
        navigate(page);
}

void HelpBrowser::Toolbar1_ButtonClick(const QString& key)
{
    m_timer->start();
    if (key == QLatin1String("Back"))
        m_browser->GoBack();
    else if (key == QLatin1String("Next"))
        m_browser->GoForward();
    else if (key == QLatin1String("Home"))
        navigate(helpHomePage);
    else if (key == QLatin1String("links"))
        openAddress(QString::fromLatin1(productPage));
    else if (key == QLatin1String("Email"))
        SendEmail();
}

void HelpBrowser::timTimer_Timer()
{
    if (!m_browser->Busy())
        m_timer->stop();
}

void HelpBrowser::SendEmail() { openAddress(QStringLiteral("mailto:") + QString::fromLatin1(contactAddress)); }

void HelpBrowser::RecordControlLayout()
{
    LayoutRecord& record = layoutRecord();
    if (record.recorded)
        return;
    const double W = twipsFromPixels(width(), logicalDpiX());
    const double H = twipsFromPixels(height(), logicalDpiY());
    record.ratios.assign(m_controls.size(), {});
    record.FontRatio.assign(m_controls.size(), 0.0f);
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const QWidget& widget = *m_controls[i].widget;
        const QRect r = widget.geometry();
        LayoutRatio& ratio = record.ratios[i];
        ratio.HeightRatio = static_cast<float>(twipsFromPixels(r.height(), logicalDpiY()) / H);
        ratio.WidthRatio = static_cast<float>(twipsFromPixels(r.width(), logicalDpiX()) / W);
        ratio.TopRatio = static_cast<float>(twipsFromPixels(r.y(), logicalDpiY()) / H);
        ratio.LeftRatio = static_cast<float>(twipsFromPixels(r.x(), logicalDpiX()) / W);
        if (m_controls[i].hasFont)
            record.FontRatio[i] = static_cast<float>(widget.font().pointSizeF() / W);
    }
    record.recorded = true;
}

void HelpBrowser::ScaleControls()
{
    const LayoutRecord& record = layoutRecord();
    const double W = twipsFromPixels(width(), logicalDpiX());
    const double H = twipsFromPixels(height(), logicalDpiY());
    if (!record.recorded || W <= 0 || H <= 0)
        return;
    for (std::size_t i = 0; i < m_controls.size() && i < record.ratios.size(); ++i) {
        QWidget& widget = *m_controls[i].widget;
        const LayoutRatio& ratio = record.ratios[i];
        const auto left = static_cast<float>(W * ratio.LeftRatio);
        const auto top = static_cast<float>(H * ratio.TopRatio);
        const auto controlWidth = static_cast<float>(W * ratio.WidthRatio);
        const auto controlHeight = static_cast<float>(H * ratio.HeightRatio);
        widgets::placeInTwips(widget, {left, top, controlWidth, controlHeight});
        const auto pointSize = static_cast<float>(W * record.FontRatio[i]);
        if (m_controls[i].hasFont && pointSize > 0) {
            QFont font = widget.font();
            font.setPointSizeF(pointSize);
            widget.setFont(font);
        }
    }
}

void HelpBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ScaleControls();
}

} // namespace calvex::shell
