#include "shell/mainmenuform.h"

#include "shell/generaldate.h"
#include "tests/shell/shellfixture.h"
#include "widgets/windownames.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QMdiArea>
#include <QTest>
#include <QTimer>

namespace calvex::shell::testing {
namespace {

class Launcher : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        frame = openFrame();
    }
    MAINMENUFORM* launcher() const { return registry.findAs<MAINMENUFORM>(widgets::launcherWindow); }
    static std::vector<bool> panelsShown(const MAINMENUFORM* form)
    {
        return {form->Frame1->isVisibleTo(const_cast<MAINMENUFORM*>(form)),
                form->Frame2->isVisibleTo(const_cast<MAINMENUFORM*>(form)),
                form->Frame3->isVisibleTo(const_cast<MAINMENUFORM*>(form))};
    }
    static void moveOver(MAINMENUFORM* form, int index)
    {
        QTest::mouseMove(form->key[static_cast<std::size_t>(index)]);
        form->key_MouseMove(index);
    }

    // The focused launcher button's index, -1 when no button has the focus.
    static int focusedKey(const MAINMENUFORM* form)
    {
        for (const widgets::KeyButton* button : form->key)
            if (button->hasFocus())
                return button->index();
        return -1;
    }
    // Presses Tab until button `index` has the focus, as a user without a mouse does.
    static bool tabTo(MAINMENUFORM* form, int index)
    {
        QApplication::setActiveWindow(form->window());
        for (int press = 0; press < MAINMENUFORM::keyCount && focusedKey(form) != index; ++press)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return focusedKey(form) == index;
    }

    MDIForm1* frame = nullptr;
};

using Panels = std::vector<bool>;
const Panels pureShown{true, false, false};
const Panels mixtureShown{false, true, false};
const Panels phaseShown{false, false, true};

// Each category button and its panel's buttons row by row, left to right, as the panel grid of
// the button table places them.
const struct CategoryStops {
    int category;
    std::vector<int> panel;
    Panels shown;
} categoryStops[] = {
    {24, {1, 2, 3, 4, 5, 7, 6}, pureShown},
    {25, {8, 9, 10, 11}, mixtureShown},
    {26, {12, 13, 14, 15, 16, 17, 19, 18, 21, 20, 23, 27, 29, 28, 31, 30, 22}, phaseShown},
};

TEST_F(Launcher, OpensWithNoPanelTheClockReadingTimeAndItsTimerRunning)
{
    MAINMENUFORM* form = launcher();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "MAIN MENU");
    EXPECT_EQ(panelsShown(form), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(form->key[0]->text(), "Time");
    EXPECT_TRUE(form->tmrCurrTime->isActive());
    EXPECT_EQ(form->tmrCurrTime->interval(), 1000);
    for (int index : {0, 24, 25, 26})
        EXPECT_TRUE(form->key[static_cast<std::size_t>(index)]->isVisible()) << index;
    QApplication::setActiveWindow(frame);
    EXPECT_EQ(focusedKey(form), 0) << "a category button with the focus would open its panel";
    EXPECT_EQ(panelsShown(form), (std::vector<bool>{false, false, false}));
}

TEST_F(Launcher, EachCategoryButtonShowsItsPanelAndHidesTheOthers)
{
    MAINMENUFORM* form = launcher();
    const std::vector<std::pair<int, std::vector<bool>>> rows = {
        {25, {false, true, false}}, {24, {true, false, false}}, {26, {false, false, true}},
        {13, {false, false, true}}, {0, {false, false, true}},
    };
    for (const auto& [index, shown] : rows) {
        form->key_MouseMove(index);
        EXPECT_EQ(panelsShown(form), shown) << "pointer over " << index;
    }
}

// Tab from the clock round every button to the clock again, and Shift+Tab round the other way:
// each button reached with its panel shown, heard by a screen reader by its caption; the clock
// leaves the panels as they are, and the bold highlight stays with the pointer.
TEST_F(Launcher, TabGoesFromEachCategoryButtonThroughItsPanelAndShiftTabBack)
{
    MAINMENUFORM* form = launcher();
    std::vector<std::pair<int, Panels>> stops;
    for (const CategoryStops& row : categoryStops) {
        stops.emplace_back(row.category, row.shown);
        for (int index : row.panel)
            stops.emplace_back(index, row.shown);
    }
    std::vector<std::pair<int, Panels>> back(stops.rbegin(), stops.rend());
    stops.emplace_back(0, phaseShown);
    back.emplace_back(0, pureShown);
    const int highlight = MAINMENUFORM::highlightIndex();

    ASSERT_TRUE(tabTo(form, 0));
    for (const auto& [round, key] : {std::pair{&stops, Qt::Key_Tab}, std::pair{&back, Qt::Key_Backtab}})
        for (const auto& [index, shown] : *round) {
            QTest::keyClick(QApplication::focusWidget(), key);
            ASSERT_EQ(focusedKey(form), index) << (key == Qt::Key_Tab ? "Tab" : "Shift+Tab");
            EXPECT_EQ(panelsShown(form), shown) << "at " << index;
            const QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(form->key[static_cast<std::size_t>(index)]);
            EXPECT_FALSE(heard->state().invisible) << index;
            EXPECT_EQ(heard->text(QAccessible::Name), form->key[static_cast<std::size_t>(index)]->text());
        }
    EXPECT_EQ(MAINMENUFORM::highlightIndex(), highlight);
}

// The pointer over one category, then a click's focus on another leaves the pointer's panel; a
// key press on the focused category button shows its own panel, opens nothing and leaves the
// highlight with the pointer.
TEST_F(Launcher, AKeyPressOnACategoryButtonShowsItsPanel)
{
    const struct {
        int category;
        int pointerOver;
        Qt::Key key;
        Panels pointers;
        Panels shown;
    } rows[] = {
        {24, 26, Qt::Key_Space, phaseShown, pureShown},
        {25, 24, Qt::Key_Return, pureShown, mixtureShown},
        {26, 25, Qt::Key_Enter, mixtureShown, phaseShown},
    };
    for (const auto& row : rows) {
        MAINMENUFORM* form = launcher();
        QApplication::setActiveWindow(form->window());
        form->key_MouseMove(row.pointerOver);
        form->key[static_cast<std::size_t>(row.category)]->setFocus(Qt::MouseFocusReason);
        ASSERT_EQ(focusedKey(form), row.category);
        EXPECT_EQ(panelsShown(form), row.pointers) << row.category;
        QTest::keyClick(form->key[static_cast<std::size_t>(row.category)], row.key);
        EXPECT_EQ(panelsShown(form), row.shown) << row.category;
        EXPECT_EQ(focusedKey(form), row.category);
        EXPECT_EQ(MAINMENUFORM::highlightIndex(), row.pointerOver);
        EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
    }
}

// The pointer over another category closes the panel holding the focus: the focus goes on to the
// next button showing, and the panel the pointer opened is the one shown.
TEST_F(Launcher, ThePointerClosingThePanelWithTheFocusLeavesOnlyItsOwnPanel)
{
    const struct {
        int focused;
        int pointerOver;
        Panels shown;
        int focusedAfter;
    } rows[] = {
        {3, 25, mixtureShown, 25},
        {3, 26, phaseShown, 25},
        {9, 24, pureShown, 26},
        {22, 24, pureShown, 0},
    };
    for (const auto& row : rows) {
        MAINMENUFORM* form = launcher();
        ASSERT_TRUE(tabTo(form, row.focused));
        form->key_MouseMove(row.pointerOver);
        EXPECT_EQ(panelsShown(form), row.shown) << row.focused << " to " << row.pointerOver;
        EXPECT_EQ(focusedKey(form), row.focusedAfter) << row.focused << " to " << row.pointerOver;
    }
}

// From the page as it opens, with Tab alone, a key opens a calculator of each panel.
TEST_F(Launcher, TabThenSpaceOrReturnOpensACalculatorOfEachPanel)
{
    const struct {
        int index;
        Qt::Key key;
        QStringList loaded;
    } rows[] = {
        {4, Qt::Key_Space, {"MDIForm1", "MAINMENUFORM", "PureComponentFugacityCalculator"}},
        {10, Qt::Key_Return, {"MDIForm1", "MAINMENUFORM", "PartialFugacityCalculator"}},
        {16, Qt::Key_Enter, {"MDIForm1", "MAINMENUFORM", "FlashCalculator"}},
        {27, Qt::Key_Space, {"MDIForm1", "fMain"}},
    };
    for (const auto& row : rows) {
        frame->Toolbar_ButtonClick("MainPage");
        MAINMENUFORM* form = launcher();
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(tabTo(form, row.index)) << row.index;
        QTest::keyClick(form->key[static_cast<std::size_t>(row.index)], row.key);
        destroyUnloaded();
        EXPECT_EQ(loadedNames(), row.loaded) << row.index;
    }
}

TEST_F(Launcher, PanelsHoldTheirButtons)
{
    MAINMENUFORM* form = launcher();
    const std::vector<std::pair<QGroupBox*, std::vector<int>>> panels = {
        {form->Frame1, {1, 2, 3, 4, 5, 6, 7}},
        {form->Frame2, {8, 9, 10, 11}},
        {form->Frame3, {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 27, 28, 29, 30, 31}},
    };
    for (const auto& [panel, indices] : panels)
        for (int index : indices)
            EXPECT_EQ(form->key[static_cast<std::size_t>(index)]->parentWidget(), panel) << index;
}

TEST_F(Launcher, HighlightFollowsThePointerAndOutlivesTheLauncher)
{
    MAINMENUFORM* form = launcher();
    moveOver(form, 25);
    moveOver(form, 9);
    EXPECT_TRUE(form->key[9]->isBold());
    EXPECT_FALSE(form->key[25]->isBold()) << "a category button loses its bold face with the highlight";
    EXPECT_EQ(panelsShown(form), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(MAINMENUFORM::highlightIndex(), 9);

    registry.show("EnthalpyCalculator");
    frame->Toolbar_ButtonClick("MainPage");
    MAINMENUFORM* reloaded = launcher();
    ASSERT_NE(reloaded, form);
    EXPECT_EQ(MAINMENUFORM::highlightIndex(), 9);
    EXPECT_FALSE(reloaded->key[9]->isBold());
    EXPECT_TRUE(reloaded->key[25]->isBold());
    EXPECT_TRUE(reloaded->key[0]->isBold());
    moveOver(reloaded, 2);
    EXPECT_TRUE(reloaded->key[2]->isBold());
    EXPECT_EQ(MAINMENUFORM::highlightIndex(), 2);
}

TEST_F(Launcher, ClockTickShowsTheGeneralDate)
{
    MAINMENUFORM* form = launcher();
    const QDateTime before = QDateTime::currentDateTime();
    form->tmrCurrTime_Timer();
    const QDateTime after = QDateTime::currentDateTime();
    const QString shown = form->key[0]->text();
    EXPECT_TRUE(shown == generalDateText(before) || shown == generalDateText(after)) << shown.toStdString();
}

TEST(GeneralDate, ShortDateThenLongTimeAndTheDateAloneAtMidnight)
{
    const QDate date(2024, 3, 5);
    const struct {
        QLocale locale;
        QTime time;
        const char* expected;
    } rows[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), QTime(13, 4, 5), "3/5/24 1:04:05 PM"},
        {QLocale(QLocale::German, QLocale::Germany), QTime(13, 4, 5), "05.03.24 13:04:05"},
        {QLocale(QLocale::English, QLocale::UnitedStates), QTime(0, 0, 0), "3/5/24"},
        {QLocale(QLocale::German, QLocale::Germany), QTime(0, 0, 1), "05.03.24 00:00:01"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(generalDateText(QDateTime(date, row.time), row.locale), QString::fromUtf8(row.expected))
            << row.locale.name().toStdString();
}

// The launcher as the user meets it: its colours, with each panel shown in turn.
TEST_F(Launcher, LooksAsDesignedWithEachPanel)
{
    MAINMENUFORM* form = launcher();
    QWidget* outer = widgets::WindowRegistry::outerWindow(form);
    const auto keep = [](QWidget* widget, const QString& name) { return screenshot(widget, name); };
    keep(frame, "frame");
    const QImage closed = keep(outer, "launcher");
    const QPoint corner = form->mapTo(outer, QPoint(10, form->height() - 10));
    EXPECT_EQ(closed.pixelColor(corner * closed.devicePixelRatio()), QColor(64, 64, 64));

    const std::vector<std::pair<int, QGroupBox*>> categories = {{24, form->Frame1}, {25, form->Frame2}, {26, form->Frame3}};
    for (const auto& [index, panel] : categories) {
        form->key_MouseMove(index);
        const QImage image = keep(outer, QStringLiteral("panel-%1").arg(panel->objectName()));
        // Beside the panel's caption, right of its text.
        const QPoint inside = panel->mapTo(outer, QPoint(panel->width() - 6, 3));
        EXPECT_EQ(image.pixelColor(inside * image.devicePixelRatio()), QColor(192, 192, 192)) << panel->objectName().toStdString();
        const QImage face = panel->findChildren<widgets::KeyButton*>().first()->grab().toImage();
        bool blueCaption = false;
        for (int y = 0; y < face.height() && !blueCaption; ++y)
            for (int x = 0; x < face.width() && !blueCaption; ++x)
                blueCaption = face.pixelColor(x, y) == QColor(0, 0, 255);
        EXPECT_TRUE(blueCaption) << panel->objectName().toStdString();
    }
}

} // namespace
} // namespace calvex::shell::testing
