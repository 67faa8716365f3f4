#include "widgets/aboutbox.h"

#include "services/numbers.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "widgets/viewerwindows.h"
#include "widgets/windowregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace calvex::widgets {
namespace {

using testing::ScratchFolder;
using testing::ScriptedUi;

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerViewerWindows();
        if (const char* path = std::getenv("PATH"))
            m_path = path;
    }
    void TearDown() override
    {
        setenv("PATH", m_path.c_str(), 1);
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void flush() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    WindowRegistry& registry = WindowRegistry::instance();
    std::string m_path;
};

TEST_F(AboutBoxTest, ShowsTitleVersionAndCaption)
{
    auto* box = registry.loadAs<AboutBox>("frmAbout");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->lblVersion()->text(), "Version 1.0.0");
    EXPECT_EQ(box->lblTitle()->text(), "Calvex");
    EXPECT_EQ(box->windowTitle(), "aboutCalvex");
    EXPECT_FALSE(box->Label1()->text().isEmpty());
    EXPECT_EQ(box->cmdOK()->text(), "OK");
    EXPECT_EQ(box->cmdSysInfo()->text(), "&System Info...");
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(AboutBoxTest, ModalBoxReturnsOnOkAndIsUnloaded)
{
    QTimer::singleShot(0, [this] {
        auto* box = registry.findAs<AboutBox>("frmAbout");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        QTest::mouseClick(box->cmdOK(), Qt::LeftButton);
    });
    showAboutBox();
    flush();
    EXPECT_EQ(registry.find("frmAbout"), nullptr);
}

TEST_F(AboutBoxTest, ChartTitleStaysUntilTheBoxIsClosed)
{
    showAboutBoxModeless("Graph Plotter ");
    auto* box = registry.findAs<AboutBox>("frmAbout");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->lblTitle()->text(), "Graph Plotter ");
    EXPECT_EQ(box->lblVersion()->text(), "Version 1.0.0");
    showAboutBox(); // already shown: brought to the front, not loaded again
    EXPECT_EQ(box->lblTitle()->text(), "Graph Plotter ");

    box->close();
    flush();
    EXPECT_EQ(registry.find("frmAbout"), nullptr);
    EXPECT_EQ(registry.loadAs<AboutBox>("frmAbout")->lblTitle()->text(), "Calvex");
}

TEST_F(AboutBoxTest, SystemInformationUnavailableWithoutAProgram)
{
    ScratchFolder empty;
    setenv("PATH", empty.path().c_str(), 1);
    ScriptedUi ui;
    auto* box = registry.loadAs<AboutBox>("frmAbout");
    box->cmdSysInfo_Click();
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"System Information Is Unavailable At This Time"});
    EXPECT_EQ(registry.find("frmAbout"), box);
}

TEST_F(AboutBoxTest, SystemInformationProgramIsStartedFromPath)
{
    ScratchFolder bin;
    const auto marker = bin.file("started");
    const auto program = bin.file(systemInformationPrograms().back().toStdString());
    {
        std::ofstream script(program);
        script << "#!/bin/sh\n: > '" << marker.string() << "'\n";
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    setenv("PATH", bin.path().c_str(), 1);
    ScriptedUi ui;
    StartSysInfo();
    QElapsedTimer waited;
    waited.start();
    while (!std::filesystem::exists(marker) && waited.elapsed() < 5000)
        QTest::qWait(20);
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AboutBoxTest, UnifacBoxIsNewEachTimeAndSitsAThirdDown)
{
    std::vector<UnifacAboutBox*> seen;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<UnifacAboutBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.push_back(box);
            EXPECT_EQ(box->windowTitle(), "About UNIFAC Calculator");
            EXPECT_EQ(box->Label1()->text(), "UNIFAC Activity Coefficient Calculator");
            EXPECT_TRUE(box->Label4()->text().startsWith("This program was developed to give a user-freindly"));
            EXPECT_EQ(box->Label1()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
            const QRect area = box->screen()->geometry();
            const double dpi = box->screen()->logicalDotsPerInchY();
            // Placed at load, before its border is known: by its inner height.
            const long top = services::freeSpaceOrigin(services::twipsFromPixels(area.height(), dpi),
                                                       services::twipsFromPixels(box->height(), dpi), 3);
            EXPECT_NEAR(box->frameGeometry().top(), area.top() + services::pixelsFromTwips(top, dpi), 1);
            QTest::mouseClick(box->BtnOK(), Qt::LeftButton);
        });
        showUnifacAbout();
    }
    ASSERT_EQ(seen.size(), 2u);
}

} // namespace
} // namespace calvex::widgets
