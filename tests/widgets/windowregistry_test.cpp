#include "widgets/windowregistry.h"

#include "tests/support/scriptedui.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace calvex::widgets {
namespace {

class Recorder : public QWidget, public UnloadHandler {
public:
    explicit Recorder(int* unloads) : m_unloads(unloads) {}
    void Form_Unload() override { ++*m_unloads; }

private:
    int* m_unloads;
};

class WindowRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { registry.setMdiArea(&area); }
    void TearDown() override
    {
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        registry.setMdiArea(nullptr);
    }
    WindowRegistry& registry = WindowRegistry::instance();
    QMdiArea area;
};

TEST_F(WindowRegistryTest, KeepsLoadOrderAndClosesGaps)
{
    for (const char* name : {"A", "B", "C"})
        registry.registerWindow(name, [] { return new QWidget; });
    registry.show("A");
    registry.show("B");
    registry.show("C");
    ASSERT_EQ(registry.loadedWindows().size(), 3);
    registry.unload("B");
    const auto windows = registry.loadedWindows();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->objectName(), "A");
    EXPECT_EQ(windows[1]->objectName(), "C");
}

TEST_F(WindowRegistryTest, ShowingLoadsOnceAndCallsTheUnloadHandler)
{
    int created = 0;
    int unloads = 0;
    registry.registerWindow("R", [&] { ++created; return new Recorder(&unloads); });
    QWidget* first = registry.show("R");
    EXPECT_EQ(registry.show("R"), first);
    EXPECT_EQ(created, 1);
    registry.unload(first);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(registry.find("R"), nullptr);
}

TEST_F(WindowRegistryTest, UnknownWindowGivesTheNote)
{
    testing::ScriptedUi ui;
    EXPECT_EQ(registry.show("NoSuchWindow"), nullptr);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{WindowRegistry::notAvailableText().toStdString()});
}

TEST_F(WindowRegistryTest, WindowMayUnloadItselfInsideItsOwnHandler)
{
    registry.registerWindow("Self", [] {
        auto* button = new QPushButton("close me");
        QObject::connect(button, &QPushButton::clicked, button,
                         [button] { WindowRegistry::instance().unload(button); button->setText("still alive"); });
        return button;
    });
    auto* button = qobject_cast<QPushButton*>(registry.show("Self"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(registry.find("Self"), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Placed : public QWidget, public LoadHandler {
public:
    void Form_Load() override { insideSubWindow = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr; }
    bool insideSubWindow = false;
};

TEST_F(WindowRegistryTest, LoadHandlerRunsOnceTheChildIsInItsSubWindow)
{
    registry.registerWindow("Placed", [] { return new Placed; });
    auto* window = registry.loadAs<Placed>("Placed");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->insideSubWindow);
    EXPECT_EQ(WindowRegistry::outerWindow(window), window->parentWidget());
}

TEST_F(WindowRegistryTest, DeclaringANameKeepsAWindowAlreadyRegistered)
{
    registry.declareWindow("Later");
    EXPECT_TRUE(registry.isKnown("Later"));
    EXPECT_FALSE(registry.isAvailable("Later"));
    registry.registerWindow("Later", [] { return new QWidget; });
    registry.declareWindow("Later");
    EXPECT_TRUE(registry.isAvailable("Later"));
    EXPECT_TRUE(registry.knownWindows().contains("Later"));
    EXPECT_FALSE(registry.isKnown("NeverNamed"));
}

TEST_F(WindowRegistryTest, ClosingAChildUnloadsIt)
{
    registry.registerWindow("Closable", [] { return new QWidget; });
    QWidget* window = registry.show("Closable");
    ASSERT_NE(window, nullptr);
    window->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(registry.find("Closable"), nullptr);
}

} // namespace
} // namespace calvex::widgets
