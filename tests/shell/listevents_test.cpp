// A calculator window opened while a screen reader listens (the desktop's accessibility bus, on
// X) sends it a handful of events, not one for each entry of its component lists, and the lists
// hold the entries in the order they always had; a list's changed entry is told as its new text.

#include "activity/vlewindow.h"
#include "mixture/windows/componentselectionwindow.h"
#include "pure/componentlistbox.h"
#include "pure/purecalculatorwindow.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace calvex {
namespace {

int accessibilityEvents = 0;
void countEvent(QAccessibleEvent*) { ++accessibilityEvents; }

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

// A list as it was filled before: one entry at a time, after those that compare equal to it
// ignoring case; into `list` too, when given.
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

// The accessibility bus answers a moment after the program starts.
bool readerListens()
{
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return QAccessible::isActive();
}

std::vector<std::pair<QString, QString>> textChanges; // removed, inserted
void recordTextChange(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::TextUpdated) {
        const auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
        textChanges.emplace_back(update->textRemoved(), update->textInserted());
    }
}

constexpr int fewEvents = 50;

TEST(ListEvents, CalculatorWindowOpensWithFewEventsAndListsInTheirOldOrder)
{
    testing::ScratchFolder folder;
    folder.copyProgramFile("properties.mdb");
    testing::ScriptedUi ui;
    ASSERT_TRUE(readerListens());
    const pure::ComponentList components = pure::programWindowServices()->listComponents();
    ASSERT_GT(components.components.size(), std::size_t{100});
    const QStringList oldOrder = insertedOneByOne(components);
    // The count sees list events: the old way of filling one list alone sends far more.
    QComboBox control;
    control.show();
    EXPECT_GT(eventsOf([&] { insertedOneByOne(components, &control); }), fewEvents);
    const std::function<QWidget*()> windows[] = {
        [] { return new pure::PureCalculatorWindow(pure::PureWindowKind::SaturationPressure); },
        [] { return new activity::VleWindow(activity::VleWindowKind::TxyMargules); },
        // As a mixture window fills it for its first count of components, two.
        [&components] {
            auto* form = new mixture::ComponentSelectionWindow(mixture::MixtureWindowKind::BubblePressure);
            form->hideFramesFrom(2);
            for (int slot = 0; slot < 2; ++slot)
                form->fillList(slot, components);
            form->fitFrames();
            return form;
        }};
    for (const auto& open : windows) {
        std::unique_ptr<QWidget> window;
        EXPECT_LT(eventsOf([&] {
                      window.reset(open());
                      window->show();
                  }),
                  fewEvents);
        SCOPED_TRACE(window->objectName().toStdString());
        int lists = 0;
        for (const QComboBox* list : window->findChildren<QComboBox*>()) {
            if (list->count() > 100) {
                EXPECT_EQ(entries(*list), oldOrder);
                EXPECT_EQ(list->currentIndex(), 0);
                ++lists;
            }
        }
        EXPECT_GT(lists, 0);
    }
}

// Orca passes over a list's changed name; a changed text it shows on a braille display at once.
TEST(ListEvents, AChangedEntryIsToldAsTheListsNewText)
{
    ASSERT_TRUE(readerListens());
    QComboBox list;
    list.addItems({QStringLiteral("kelvin"), QStringLiteral("celsius")});
    list.show();
    QApplication::processEvents();
    QAccessible::installUpdateHandler(recordTextChange);
    textChanges.clear();
    list.setCurrentIndex(1);
    QAccessible::installUpdateHandler(nullptr);
    const std::vector<std::pair<QString, QString>> told = {{QStringLiteral("kelvin"), QStringLiteral("celsius")}};
    EXPECT_EQ(textChanges, told);
}

TEST(ListEvents, NamesThatDifferOnlyInCaseKeepTheirDatabaseOrder)
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

