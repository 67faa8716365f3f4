// A calculator window opened while a screen reader listens (a desktop session's accessibility
// bus, on X) sends it a handful of events, not one for each entry of its component lists, and
// the lists hold the entries in the order they always had.

#include "activity/vlewindow.h"
#include "mixture/windows/componentselectionwindow.h"
#include "pure/componentlistbox.h"
#include "pure/purecalculatorwindow.h"
#include "services/dialogwindows.h"
#include "services/windowregistry.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace calvex {
namespace {

class ListEvents : public ::testing::Test {
protected:
    static void SetUpTestSuite() { services::registerDialogWindows(); }

    void SetUp() override { folder.copyProgramFile("properties.mdb"); }

    void TearDown() override
    {
        auto& registry = services::WindowRegistry::instance();
        for (QWidget* loaded : registry.loadedWindows())
            registry.unload(loaded);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    testing::ScratchFolder folder;
    testing::ScriptedUi ui;
};

int accessibilityEvents = 0;
void countEvent(QAccessibleEvent*) { ++accessibilityEvents; }

// The desktop's accessibility bus answers the program a moment after it starts.
bool screenReaderListening()
{
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return QAccessible::isActive();
}

// Counts the accessibility events that `action` sends.
int eventsOf(const std::function<void()>& action)
{
    QApplication::processEvents();
    QAccessible::installUpdateHandler(countEvent);
    accessibilityEvents = 0;
    action();
    QApplication::processEvents();
    QAccessible::installUpdateHandler(nullptr);
    return accessibilityEvents;
}

// Each component list as it was filled before: one entry at a time, after those that compare
// equal to it ignoring case; into `list` too, when given.
QStringList insertedOneByOne(const pure::ComponentList& components, QComboBox* list = nullptr)
{
    QStringList names;
    for (const pure::ComponentEntry& entry : components.components) {
        const QString name = QString::fromStdString(entry.name);
        qsizetype position = 0;
        while (position < names.size() && QString::compare(names[position], name, Qt::CaseInsensitive) <= 0)
            ++position;
        names.insert(position, name);
        if (list)
            list->insertItem(static_cast<int>(position), name);
    }
    return names;
}

QStringList entries(const QComboBox& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

constexpr int fewEvents = 50;

// A window opened from the menus is made anew. The component form is made once, when its input
// window's button first loads it; each press fills its lists and shows it.
struct OpeningRow {
    const char* windowClass;
    std::function<std::unique_ptr<QWidget>()> loadedBefore;
    std::function<void(std::unique_ptr<QWidget>&)> open;
    std::function<std::vector<QComboBox*>(QWidget&)> lists;
};

std::unique_ptr<QWidget> none() { return nullptr; }

const OpeningRow openingRows[] = {
    {"PureCalculatorWindow", none,
     [](std::unique_ptr<QWidget>& window) {
         window = std::make_unique<pure::PureCalculatorWindow>(pure::PureWindowKind::SaturationPressure);
     },
     [](QWidget& w) { return std::vector<QComboBox*>{static_cast<pure::PureCalculatorWindow&>(w).Combo2()}; }},
    {"VleWindow", none,
     [](std::unique_ptr<QWidget>& window) {
         window = std::make_unique<activity::VleWindow>(activity::VleWindowKind::TxyMargules);
     },
     [](QWidget& w) {
         auto& vle = static_cast<activity::VleWindow&>(w);
         return std::vector<QComboBox*>{vle.Combo2(0), vle.Combo2(1)};
     }},
    {"ComponentSelectionWindow",
     [] { return std::make_unique<mixture::ComponentSelectionWindow>(mixture::MixtureWindowKind::Flash); },
     [](std::unique_ptr<QWidget>& window) {
         const pure::ComponentList list = pure::programWindowServices()->listComponents();
         for (int slot = 0; slot < 2; ++slot)
             static_cast<mixture::ComponentSelectionWindow&>(*window).fillList(slot, list);
     },
     [](QWidget& w) {
         auto& selection = static_cast<mixture::ComponentSelectionWindow&>(w);
         return std::vector<QComboBox*>{selection.Combo2(0), selection.Combo2(1)};
     }},
};

TEST_F(ListEvents, CalculatorWindowOpensWithFewEventsAndListsInTheirOldOrder)
{
    ASSERT_TRUE(screenReaderListening());
    const pure::ComponentList components = pure::programWindowServices()->listComponents();
    ASSERT_TRUE(components.ok());
    ASSERT_GT(components.components.size(), std::size_t{100});
    const QStringList oldOrder = insertedOneByOne(components);
    // The count sees list events: the old way of filling one list alone sent far more.
    QComboBox control;
    control.show();
    EXPECT_GT(eventsOf([&] { insertedOneByOne(components, &control); }), fewEvents);
    for (const OpeningRow& row : openingRows) {
        SCOPED_TRACE(row.windowClass);
        std::unique_ptr<QWidget> window = row.loadedBefore();
        EXPECT_LT(eventsOf([&] {
                      row.open(window);
                      window->show();
                  }),
                  fewEvents);
        for (QComboBox* list : row.lists(*window)) {
            EXPECT_EQ(entries(*list), oldOrder);
            EXPECT_EQ(list->currentIndex(), 0);
        }
    }
}

TEST_F(ListEvents, NamesThatDifferOnlyInCaseKeepTheirDatabaseOrder)
{
    pure::ComponentList components;
    components.components = {{"b", 1}, {"A", 2}, {"a", 3}, {"B", 4}, {"not listed", 5}, {"Ab", 6}, {"a", 7}};
    QComboBox list;
    pure::fillComponentList(list, components);
    EXPECT_EQ(entries(list), insertedOneByOne(components));
    const int snoOrder[] = {2, 3, 7, 6, 1, 4, 5};
    for (int i = 0; i < list.count(); ++i)
        EXPECT_EQ(list.itemData(i).toInt(), snoOrder[i]) << i;
}

} // namespace
} // namespace calvex
