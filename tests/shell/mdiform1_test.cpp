#include "shell/mdiform1.h"

#include "shell/clipboardactions.h"
#include "shell/desktop.h"
#include "shell/framemenu.h"
#include "tests/shell/shellfixture.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "widgets/windownames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace calvex::shell::testing {
namespace {

// A text box that binds every Ctrl key of its own, as line edits do for Ctrl+E, Ctrl+K and
// others under the emacs-like bindings of some desktops (the offscreen platform has none).
class BindingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride
            && static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ControlModifier)) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

// A calculator stand-in with a text box, a unit list, a component list and a button.
class FormStandIn : public StandIn {
public:
    FormStandIn() : StandIn(QStringLiteral("EnthalpyCalculator"))
    {
        auto* layout = new QVBoxLayout(this);
        text = new BindingLineEdit(this);
        text->setObjectName("Text1_Temperature");
        units = new QComboBox(this);
        units->setEditable(true);
        units->addItems({"kelvin", "celsius"});
        list = new QListWidget(this);
        list->addItems({"methane", "ethane"});
        button = new QPushButton("Calculate", this);
        result = new QLineEdit("8.314", this);
        result->setReadOnly(true);
        spin = new QSpinBox(this);
        for (QWidget* control : std::initializer_list<QWidget*>{text, units, list, button, result, spin})
            layout->addWidget(control);
    }
    QLineEdit* text;
    QSpinBox* spin;
    QComboBox* units;
    QListWidget* list;
    QPushButton* button;
    QLineEdit* result;
};

class Frame : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        standInsForAll();
        registry.registerWindow("EnthalpyCalculator", [] { return new FormStandIn; });
        frame = openFrame();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }
    FormStandIn* openForm()
    {
        auto* form = dynamic_cast<FormStandIn*>(registry.show("EnthalpyCalculator"));
        EXPECT_NE(form, nullptr);
        return form;
    }
    void focus(QWidget* control)
    {
        control->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([control] { return control->hasFocus(); }, 2000));
    }
    void press(const char* key) { frame->Toolbar->findChild<QAction*>(QString::fromLatin1(key))->trigger(); }
    void chooseMenu(const char* control) { frame->menuBar()->findChild<QAction*>(QString::fromLatin1(control))->trigger(); }
    static QString clipboardText() { return QApplication::clipboard()->text(); }
    static void setClipboard(const QString& text) { QApplication::clipboard()->setText(text); }

    MDIForm1* frame = nullptr;
};

TEST_F(Frame, HasTheNamesOtherWindowsFindItBy)
{
    EXPECT_EQ(frame->objectName(), "MDIForm1");
    EXPECT_EQ(frame->windowTitle(), "Calvex");
    EXPECT_EQ(registry.find(widgets::frameWindow)->findChild<QToolBar*>("Toolbar"), frame->Toolbar);
    EXPECT_EQ(registry.mdiArea(), frame->mdiArea());
    EXPECT_EQ(frame->StatusBar3->objectName(), "StatusBar3");
}

TEST_F(Frame, ToolbarStaysOutOfTheTabChain)
{
    // Its Cut, Copy and Paste act on the box that has the focus.
    ASSERT_EQ(frame->Toolbar->actions().size(), 10);
    for (QAction* action : frame->Toolbar->actions())
        EXPECT_EQ(frame->Toolbar->widgetForAction(action)->focusPolicy(), Qt::NoFocus)
            << action->objectName().toStdString();
}

TEST_F(Frame, CentresItselfAndCarriesSevenStatusPanels)
{
    const QRect screen = frame->screen()->geometry();
    const QRect outer = frame->frameGeometry();
    EXPECT_LE(std::abs(outer.left() * 2 + outer.width() - screen.width()), 1);
    EXPECT_LE(std::abs(outer.top() * 2 + outer.height() - screen.height()), 1);
    const QList<QLabel*> panels = frame->StatusBar3->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(panels.size(), 7);
    EXPECT_EQ(panels[0]->text(), "Calvex");
    EXPECT_EQ(panels[0]->toolTip(), "Calvex");
    EXPECT_EQ(panels[5]->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

TEST_F(Frame, IgnoresCloseRequestsAndHasNoCloseButton)
{
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(frame->close());
    QApplication::processEvents();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
}

TEST_F(Frame, ToolbarButtonsInOrderWithTheirToolTips)
{
    const QList<QAction*> actions = frame->Toolbar->actions();
    const std::vector<std::array<const char*, 3>> expected = {
        {"MainPage", "Main Page", "GoTo Main Page"}, {"Save", "Save", "Save"},
        {"Copy", "Copy", "copy the selected text"},  {"Cut", "Cut", "Cut The Selected Text"},
        {"Paste", "Paste", nullptr},                 {"help", "help", "help"},
        {"About", "About", "About  Calvex"},          {"Calc", "Calc", "Calculator"},
        {"Exit", "Exit", "Exit"},                    {"Back", "Back", nullptr},
    };
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(action->objectName(), expected[i][0]);
        EXPECT_EQ(action->text(), expected[i][1]);
        EXPECT_FALSE(action->icon().isNull()) << expected[i][0];
        if (expected[i][2]) {
            EXPECT_EQ(action->toolTip(), expected[i][2]);
        }
    }
}

TEST_F(Frame, EveryWindowItemOpensAKnownWindowWithItsOwnShortcut)
{
    QSet<QString> shortcuts;
    int windowItems = 0;
    int unifacItems = 0;
    for (const FrameMenuItem& item : frameMenuItems()) {
        auto* action = frame->menuBar()->findChild<QAction*>(QString::fromLatin1(item.control));
        ASSERT_NE(action, nullptr) << item.control;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption));
        if (item.action != FrameAction::Calculator)
            continue;
        item.choice.window ? ++windowItems : ++unifacItems;
        if (item.choice.window) {
            EXPECT_TRUE(registry.isKnown(QString::fromLatin1(item.choice.window))) << item.choice.window;
        }
        EXPECT_FALSE(shortcuts.contains(action->shortcut().toString())) << item.control;
        shortcuts.insert(action->shortcut().toString());
    }
    EXPECT_EQ(windowItems, 25);
    EXPECT_EQ(unifacItems, 3);
    EXPECT_FALSE(shortcuts.contains("Ctrl+S"));
    EXPECT_FALSE(shortcuts.contains("Ctrl+X"));
    EXPECT_EQ(frame->menuBar()->findChild<QAction*>("DepartureFunction")->text(), " Departure Functions");
    EXPECT_EQ(frame->findChild<QMenu*>("PhaseEquilibrium")->title(), "Phase Equilbrium");
    EXPECT_EQ(frame->menuBar()->findChild<QAction*>("pxywilsonscal")->shortcut(), QKeySequence("Shift+Ctrl+F1"));
}

TEST_F(Frame, CtrlZOpensTheFlashCalculatorWithTheFocusOutsideATextBox)
{
    FormStandIn* form = openForm();
    focus(form->button);
    QTest::keyClick(form->button, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "FlashCalculator"}));
}

TEST_F(Frame, EditingKeysActOnTheFocusedTextBoxInsteadOfTheMenu)
{
    FormStandIn* form = openForm();
    focus(form->text);
    QTest::keyClicks(form->text, "300");
    QTest::keyClick(form->text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(form->text->selectedText(), "300");
    QTest::keyClick(form->text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), "300");
    QTest::keyClick(form->text, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->text->text(), "");
    QTest::keyClick(form->text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->text->text(), "300");
    QTest::keyClick(form->text, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->text->text(), "");
    QTest::keyClick(form->text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->text->text(), "300");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
}

TEST_F(Frame, EveryOtherMenuShortcutOpensItsWindowFromATextBoxEditableListOrSpinBox)
{
    const QList<QKeySequence> editingKeys = {QKeySequence("Ctrl+A"), QKeySequence("Ctrl+C"), QKeySequence("Ctrl+V"),
                                             QKeySequence("Ctrl+X"), QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+Y")};
    int pressed = 0;
    for (const FrameMenuItem& item : frameMenuItems()) {
        const QKeySequence shortcut(QString::fromLatin1(item.shortcut));
        if (item.action != FrameAction::Calculator || editingKeys.contains(shortcut))
            continue;
        const QString opened = item.choice.window ? QString::fromLatin1(item.choice.window) : widgets::unifacWindow;
        for (int control = 0; control < 3; ++control, ++pressed) {
            FormStandIn* form = openForm();
            QWidget* box = std::array<QWidget*, 3>{form->text, form->units, form->spin}[control];
            const std::string where = box->metaObject()->className();
            QSignalSpy chosen(frame->menuBar()->findChild<QAction*>(QString::fromLatin1(item.control)), &QAction::triggered);
            focus(box);
            QTest::keyClicks(box, "12");
            QTest::keySequence(box, shortcut);
            destroyUnloaded();
            EXPECT_EQ(chosen.count(), 1) << item.shortcut << " from " << where;
            EXPECT_TRUE(loadedNames().contains(opened)) << item.shortcut << " from " << where;
        }
    }
    EXPECT_EQ(pressed, 3 * 23);
}

TEST_F(Frame, EditingKeysInAReadOnlyTextBoxChooseNoMenuItem)
{
    FormStandIn* form = openForm();
    focus(form->result);
    for (Qt::Key key : {Qt::Key_V, Qt::Key_X, Qt::Key_Z, Qt::Key_Y, Qt::Key_A, Qt::Key_C})
        QTest::keyClick(form->result, key, Qt::ControlModifier);
    EXPECT_EQ(form->result->text(), "8.314");
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
}

TEST_F(Frame, EditingKeysActOnAFocusedEditableList)
{
    FormStandIn* form = openForm();
    focus(form->units);
    QTest::keyClick(form->units, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->units, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
}

TEST_F(Frame, CopyPutsTheSelectionOnlyAndNothingWhenNothingIsSelected)
{
    FormStandIn* form = openForm();
    form->text->setText("312.5");
    focus(form->text);
    setClipboard("old");
    form->text->deselect();
    press("Copy");
    EXPECT_EQ(clipboardText(), "");
    form->text->setSelection(1, 2);
    press("Copy");
    EXPECT_EQ(clipboardText(), "12");
    EXPECT_EQ(form->text->text(), "312.5");
}

TEST_F(Frame, CutPutsTheSelectedTextOnTheClipboardAndRemovesIt)
{
    FormStandIn* form = openForm();
    form->text->setText("312.5");
    focus(form->text);
    form->text->setSelection(3, 2);
    press("Cut");
    EXPECT_EQ(clipboardText(), ".5");
    EXPECT_EQ(form->text->text(), "312");
    form->text->deselect();
    press("Cut");
    EXPECT_EQ(clipboardText(), "");
    EXPECT_EQ(form->text->text(), "312");
}

TEST_F(Frame, PasteReplacesTheTextAndLeavesItWhenTheClipboardHasNone)
{
    FormStandIn* form = openForm();
    form->text->setText("312.5");
    focus(form->text);
    QApplication::clipboard()->clear();
    press("Paste");
    EXPECT_EQ(form->text->text(), "312.5");
    setClipboard("77");
    press("Paste");
    EXPECT_EQ(form->text->text(), "77");
}

TEST_F(Frame, ListAndComboBoxCutCopyAndPaste)
{
    FormStandIn* form = openForm();
    focus(form->list);
    form->list->setCurrentRow(1);
    press("Copy");
    EXPECT_EQ(clipboardText(), "ethane");
    press("Paste");
    EXPECT_EQ(form->list->count(), 3);
    EXPECT_EQ(form->list->item(2)->text(), "ethane") << "appended even when it equals an item";
    form->list->setCurrentRow(0);
    press("Cut");
    EXPECT_EQ(clipboardText(), "methane");
    EXPECT_EQ(form->list->count(), 2);

    focus(form->units);
    form->units->setCurrentIndex(1);
    press("Cut");
    EXPECT_EQ(clipboardText(), "celsius");
    EXPECT_EQ(form->units->currentText(), "");
    setClipboard("kelvin");
    press("Paste");
    EXPECT_EQ(form->units->currentText(), "kelvin");
}

TEST_F(Frame, CutAndCopyOnAButtonOnlyClearTheClipboard)
{
    FormStandIn* form = openForm();
    focus(form->button);
    setClipboard("kept?");
    press("Cut");
    EXPECT_EQ(clipboardText(), "");
    setClipboard("kept?");
    press("Copy");
    EXPECT_EQ(clipboardText(), "");
    setClipboard("kept");
    press("Paste");
    EXPECT_EQ(clipboardText(), "kept");
    EXPECT_EQ(form->button->text(), "Calculate");
}

// On Wayland the click on the toolbar that brings the program back from another program comes
// before the frame is active again: no control has the focus and the frame has no active child.
TEST_F(Frame, CutCopyAndPasteActOnTheLastFocusedControlWhileTheFrameIsNotActiveYet)
{
    FormStandIn* form = openForm();
    const struct {
        const char* key;
        const char* window; // the frame's current child
        const char* clipboardBefore;
        const char* clipboardAfter;
        const char* textAfter;
    } rows[] = {
        {"Copy", "EnthalpyCalculator", "another program's text", "12", "312.5"},
        {"Cut", "EnthalpyCalculator", "another program's text", "12", "3.5"},
        {"Paste", "EnthalpyCalculator", "350", "350", "350"},
        {"Copy", "MAINMENUFORM", "another program's text", "", "312.5"}, // a child without controls
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " in " + row.window);
        form->text->setText("312.5");
        focus(form->text);
        form->text->setSelection(1, 2);
        registry.show(QString::fromLatin1(row.window));
        setClipboard(QString::fromLatin1(row.clipboardBefore));
        QApplication::setActiveWindow(nullptr);
        QEvent leaving(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &leaving);
        ASSERT_EQ(QApplication::focusWidget(), nullptr);
        ASSERT_EQ(frame->mdiArea()->activeSubWindow(), nullptr);
        press(row.key);
        EXPECT_EQ(clipboardText(), row.clipboardAfter);
        EXPECT_EQ(form->text->text(), row.textAfter);
        QEvent returning(QEvent::ApplicationActivate);
        QApplication::sendEvent(qApp, &returning);
        QApplication::setActiveWindow(frame);
    }
}

TEST_F(Frame, ExitAsksAndNoLeavesEverythingAsItWas)
{
    registry.show("EnthalpyCalculator");
    calvex::testing::ScriptedUi ui;
    ui.answerNo();
    press("Exit");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Want To End Calvex"});
    EXPECT_EQ(endings, 0);
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM", "EnthalpyCalculator"}));
    ui.answerYes();
    press("Exit");
    EXPECT_EQ(endings, 1);
}

TEST_F(Frame, ExitMenuItemEndsWithoutAQuestion)
{
    calvex::testing::ScriptedUi ui;
    chooseMenu("Exit");
    EXPECT_EQ(endings, 1);
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(Frame, SaveShowsItsMessageAndChangesNothing)
{
    calvex::testing::ScriptedUi ui;
    press("Save");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"This Application cannnot be saved "});
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
}

TEST_F(Frame, AboutIsShownModallyOrGivesTheNote)
{
    registry.registerWindow(widgets::aboutWindow, {}, widgets::Placement::Dialog);
    {
        calvex::testing::ScriptedUi ui;
        press("About");
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"This calculation is not available in this version of Calvex yet."});
    }
    bool ranModally = false;
    registry.registerWindow(widgets::aboutWindow, [&ranModally] {
        auto* box = new QDialog;
        QTimer::singleShot(0, box, [box, &ranModally] {
            ranModally = box->isModal() && box->isVisible();
            box->accept();
        });
        return box;
    }, widgets::Placement::Dialog);
    chooseMenu("About");
    EXPECT_TRUE(ranModally);
}

TEST_F(Frame, CalcStartsTheFirstDesktopCalculatorOnThePath)
{
    calvex::testing::ScratchFolder folder;
    const QString bin = QString::fromStdString(folder.path().string());
    const QString marker = bin + "/started";
    QFile script(bin + "/" + desktopCalculatorPrograms().last());
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho started > '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8());
    press("Calc");
    qputenv("PATH", path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 5000));
}

TEST_F(Frame, CalcWithNoDesktopCalculatorDoesNothing)
{
    calvex::testing::ScriptedUi ui;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    frame->Toolbar_ButtonClick("Calc");
    qputenv("PATH", path);
    EXPECT_TRUE(ui.texts().empty());
    EXPECT_EQ(loadedNames(), (QStringList{"MDIForm1", "MAINMENUFORM"}));
}

} // namespace
} // namespace calvex::shell::testing
