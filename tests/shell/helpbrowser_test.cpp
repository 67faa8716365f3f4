#include "shell/desktop.h"
#include "shell/helpbrowser.h"
#include "shell/helptopics.h"
#include "shell/helpwindows.h"

#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "tests/support/tabchain.h"
#include "widgets/webbrowser.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace calvex::shell {
namespace {

using testing::ScratchFolder;
namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class HelpBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerHelpWindows();
        for (const std::string& page : helpPageNames())
            folder.copyProgramFile(page);
        setAddressOpener([this](const QString& address) { opened.push_back(address.toStdString()); });
    }
    void TearDown() override
    {
        setAddressOpener({});
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    HelpBrowser* open() { return dynamic_cast<HelpBrowser*>(registry.show("helpSoftware")); }

    widgets::WindowRegistry& registry = widgets::WindowRegistry::instance();
    ScratchFolder folder;
    std::vector<std::string> opened;
};

TEST(HelpTopics, TwentyThreePagesEachInTheProgramFolderAndNotEmpty)
{
    const auto pages = helpPageNames();
    EXPECT_EQ(pages.size(), 23u);
    for (const std::string& page : pages) {
        const fs::path path = ScratchFolder::builtProgramFolder() / page;
        ASSERT_TRUE(fs::exists(path)) << page;
        const std::string html = readFile(path);
        EXPECT_GT(html.size(), 400u) << page;
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        EXPECT_NE(html.find("</html>"), std::string::npos) << page;
    }
}

TEST(HelpTopics, EveryLinkOfAPageLeadsToAFileOfTheProgramFolder)
{
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    for (const std::string& page : helpPageNames()) {
        const QString html = QString::fromStdString(readFile(ScratchFolder::builtProgramFolder() / page));
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const std::string target = match.next().captured(1).toStdString();
            EXPECT_TRUE(fs::exists(ScratchFolder::builtProgramFolder() / target)) << page << " links to " << target;
        }
    }
}

TEST_F(HelpBrowserTest, OpensOnTheHomePageWithSixCollapsedRoots)
{
    HelpBrowser* help = open();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Help ");
    EXPECT_EQ(help->currentPage(), "1.htm");
    EXPECT_FALSE(help->brwWebBrowser()->toPlainText().isEmpty());
    QTreeWidget* tree = help->TreeView1();
    ASSERT_EQ(tree->topLevelItemCount(), 6);
    int children = 0;
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(tree->topLevelItem(i)->isExpanded());
        children += tree->topLevelItem(i)->childCount();
    }
    EXPECT_EQ(children, 23);
    EXPECT_TRUE(tree->rootIsDecorated());
    EXPECT_EQ(tree->palette().color(QPalette::Text), QColor(0, 127, 0));
    EXPECT_TRUE(tree->font().bold());
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "Using The Software ");
    EXPECT_EQ(tree->topLevelItem(4)->child(4)->text(0), " Vle Gibb's Free Energy Calculator");
}

TEST_F(HelpBrowserTest, EachNodeOpensItsPageAndGroupNodesOpenNone)
{
    HelpBrowser* help = open();
    QTreeWidget* tree = help->TreeView1();
    std::vector<QTreeWidgetItem*> nodes;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        nodes.push_back(tree->topLevelItem(i));
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
            nodes.push_back(tree->topLevelItem(i)->child(j));
    ASSERT_EQ(nodes.size(), helpTopics().size());
    for (QTreeWidgetItem* node : nodes) {
        const std::string key = node->data(0, Qt::UserRole).toString().toStdString();
        const auto topic = std::find_if(helpTopics().begin(), helpTopics().end(),
                                        [&](const HelpTopic& t) { return t.key == key; });
        ASSERT_NE(topic, helpTopics().end()) << key;
        EXPECT_EQ(node->text(0).toStdString(), topic->text);
        help->brwWebBrowser()->setSource(QUrl::fromLocalFile(QString::fromStdString(folder.file("1.htm").string())));
        help->TreeView1_NodeClick(node);
        const std::string expected = topic->page.empty() ? "1.htm" : std::string(topic->page);
        EXPECT_EQ(help->currentPage().toStdString(), expected) << key;
    }
}

TEST_F(HelpBrowserTest, NodeTextsAreMatchedExactly)
{
    HelpBrowser* help = open();
    QTreeWidgetItem stray(QStringList{"Enthalpy calculator"});
    help->TreeView1_NodeClick(&stray);
    EXPECT_EQ(help->currentPage(), "1.htm");
    QTreeWidgetItem entropy(QStringList{"Entropy Calculator"});
    help->TreeView1_NodeClick(&entropy);
    EXPECT_EQ(help->currentPage(), "enthalpyhelp.htm");
}

TEST_F(HelpBrowserTest, ToolbarMovesThroughHistoryAndOpensLinksAndMail)
{
    HelpBrowser* help = open();
    ASSERT_EQ(help->Toolbar1()->actions().size(), 5);
    for (QAction* button : help->Toolbar1()->actions()) {
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_TRUE(button->toolTip().isEmpty());
        EXPECT_FALSE(button->icon().isNull());
    }
    QTreeWidgetItem flash(QStringList{"Flash Calculator"});
    help->TreeView1_NodeClick(&flash);
    help->toolbarButton("Back")->trigger();
    EXPECT_EQ(help->currentPage(), "1.htm");
    EXPECT_TRUE(help->timTimer()->isActive());
    help->toolbarButton("Next")->trigger();
    EXPECT_EQ(help->currentPage(), "flashcalulationhelp.htm");
    help->toolbarButton("Next")->trigger(); // nothing ahead: nothing changes
    EXPECT_EQ(help->currentPage(), "flashcalulationhelp.htm");
    help->toolbarButton("Home")->trigger();
    EXPECT_EQ(help->currentPage(), "1.htm");
    help->toolbarButton("links")->trigger();
    help->toolbarButton("Email")->trigger();
    EXPECT_EQ(opened, (std::vector<std::string>{HelpBrowser::productPage,
                                                std::string("mailto:") + HelpBrowser::contactAddress}));
    help->timTimer_Timer();
    EXPECT_FALSE(help->timTimer()->isActive());
}

TEST_F(HelpBrowserTest, TabReachesTheToolbarAfterTheTreeAndThePageAndSpacePressesIt)
{
    HelpBrowser* help = open();
    QTreeWidgetItem flash(QStringList{"Flash Calculator"});
    help->TreeView1_NodeClick(&flash);
    QWidget* page = help->findChild<QWidget*>(QStringLiteral("brwWebBrowser"));
    // Tab first steps through the page's links, as in any browser.
    const std::vector<std::string> stops = testing::tabStops(*page, 20);
    const auto left = std::find_if(stops.begin(), stops.end(), [](const std::string& s) { return s != "brwWebBrowser"; });
    ASSERT_LE(left + 6, stops.end());
    EXPECT_EQ(std::vector<std::string>(left, left + 6),
              (std::vector<std::string>{"Back", "Next", "Home", "links", "Email", "TreeView1"}));
    testing::tabStops(*page, static_cast<int>(left - stops.begin()) + 3);
    QTest::keyClick(help->focusWidget(), Qt::Key_Space);
    EXPECT_EQ(help->currentPage(), "1.htm") << "Home, as a click";
}

TEST_F(HelpBrowserTest, MissingPageShowsANoticeAndNoMessage)
{
    testing::ScriptedUi ui;
    fs::remove(folder.file("vlehelp.htm"));
    HelpBrowser* help = open();
    QTreeWidgetItem node(QStringList{"P-x-y(Margules)"});
    help->TreeView1_NodeClick(&node);
    EXPECT_TRUE(help->brwWebBrowser()->toPlainText().contains("vlehelp.htm"));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(HelpBrowserTest, ResizingKeepsProportionsAndScalesTheTreeText)
{
    HelpBrowser* help = open();
    const QSize designed = help->size();
    const QRect tree = help->TreeView1()->geometry();
    const QRect page = help->brwWebBrowser()->geometry();
    const double font = help->TreeView1()->font().pointSizeF();

    help->resize(designed / 2);
    QApplication::processEvents();
    // One pixel for the rounding of each half.
    EXPECT_NEAR(help->TreeView1()->geometry().width(), tree.width() / 2.0, 1.0);
    EXPECT_NEAR(help->TreeView1()->geometry().height(), tree.height() / 2.0, 1.0);
    EXPECT_NEAR(help->brwWebBrowser()->geometry().left(), page.left() / 2.0, 1.0);
    EXPECT_NEAR(help->brwWebBrowser()->geometry().top(), page.top() / 2.0, 1.0);
    EXPECT_NEAR(help->TreeView1()->font().pointSizeF(), font / 2, 0.05);

    help->resize(designed);
    QApplication::processEvents();
    EXPECT_EQ(help->TreeView1()->geometry(), tree);
    EXPECT_EQ(help->brwWebBrowser()->geometry(), page);
    EXPECT_NEAR(help->TreeView1()->font().pointSizeF(), font, 0.01);
}

TEST_F(HelpBrowserTest, ClosingUnloadsAndReopeningBuildsAFreshTree)
{
    HelpBrowser* help = open();
    QTreeWidgetItem flash(QStringList{"Flash Calculator"});
    help->TreeView1_NodeClick(&flash);
    help->TreeView1()->topLevelItem(2)->setExpanded(true);
    help->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(registry.find("helpSoftware"), nullptr);
    HelpBrowser* again = open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->currentPage(), "1.htm");
    EXPECT_FALSE(again->TreeView1()->topLevelItem(2)->isExpanded());
}

} // namespace
} // namespace calvex::shell
