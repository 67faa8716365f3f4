// What a screen reader hears for the boxes of every window and dialog, offscreen: each box by
// the caption beside it or a name of its own, no two boxes of a window alike, no shortcut made,
// and each list's entry, also after it changed.

#include "activity/parameterwindows.h"
#include "activity/vlewindow.h"
#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "pure/purecalculatorwindow.h"
#include "shell/helpbrowser.h"
#include "shell/mainmenuform.h"
#include "shell/mdiform1.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"
#include "unifac/componentbuilder.h"
#include "unifac/componentfile.h"
#include "unifac/databaseeditor.h"
#include "unifac/subgrouptable.h"
#include "unifac/unifaccalculator.h"
#include "widgets/aboutbox.h"
#include "widgets/chartwindow.h"
#include "widgets/constantsdialog.h"
#include "widgets/inputabcd.h"
#include "widgets/resultviewer.h"
#include "widgets/spokennames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace calvex {
namespace {

// What AT-SPI hands a screen reader: the label the box is labelled by (a group box's title does
// not count), else the box's own name.
std::pair<QString, const QLabel*> announcement(QWidget& box)
{
    for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(&box)->relations(QAccessible::Label))
        if (const auto* caption = qobject_cast<const QLabel*>(label->object()))
            return {label->text(QAccessible::Name).trimmed(), caption};
    return {box.accessibleName().trimmed(), nullptr};
}

QString textOf(QAccessibleInterface& reading)
{
    QAccessibleTextInterface* text = reading.textInterface();
    return text ? text->text(0, text->characterCount()) : QString();
}

// What a reader takes for a list's entry: the text of the list's text box where it takes typing,
// else the list's own text.
QString entryRead(QComboBox& list)
{
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&list);
    for (int i = 0; i < read->childCount(); ++i)
        if (read->child(i)->role() == QAccessible::EditableText)
            return textOf(*read->child(i));
    return textOf(*read);
}

// A typed list's text box is the list's own.
bool isInput(const QWidget& w)
{
    if (qobject_cast<const QComboBox*>(w.parentWidget()))
        return false;
    const auto* button = qobject_cast<const QAbstractButton*>(&w);
    return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QComboBox*>(&w) ||
           qobject_cast<const QAbstractSpinBox*>(&w) || qobject_cast<const QAbstractItemView*>(&w) ||
           (button && button->text().isEmpty());
}

// Row by row: "<caption><row><number>" for each number 1..count.
QStringList rows(std::initializer_list<const char*> captions, const char* row, int count)
{
    QStringList names;
    for (int n = 1; n <= count; ++n)
        for (const char* caption : captions)
            names << QStringLiteral("%1%2%3").arg(QString::fromUtf8(caption), QString::fromLatin1(row)).arg(n);
    return names;
}

template <class Window, class... Arguments>
std::function<std::unique_ptr<QWidget>()> opening(Arguments... arguments)
{
    return [=] { return std::make_unique<Window>(arguments...); };
}

struct WindowRow {
    const char* windowClass;
    std::function<std::unique_ptr<QWidget>()> open;
    QStringList names; // every name announced, in any order, blanks at the ends left out
};

const WindowRow windowRows[] = {
    {"PureCalculatorWindow", opening<pure::PureCalculatorWindow>(pure::PureWindowKind::Fugacity),
     {"Select  Compound", "Temperature", "Temperature unit", "Pressure", "Pressure unit"}},
    {"MixtureInputWindow", opening<mixture::MixtureInputWindow>(mixture::MixtureWindowKind::Flash),
     {"Temperature", "Temperature unit", "Pressure", "Pressure unit", "Select No Of Component   Mixture"}},
    {"ComponentSelectionWindow",
     [] {
         auto window = std::make_unique<mixture::ComponentSelectionWindow>(mixture::MixtureWindowKind::Flash);
         window->fillList(0, pure::programWindowServices()->listComponents());
         window->fillList(1, pure::programWindowServices()->listComponents());
         return window;
     },
     {"Compound, Component 1", "Enter Mole Fraction, Component 1", "Compound, Component2",
      "Enter Mole Fraction, Component2"}},
    {"VleWindow (T-x-y)", opening<activity::VleWindow>(activity::VleWindowKind::Txynrtl),
     {"Compound, Component 1", "Compound, Component2", "Pressure", "Pressure unit", "(Delta)g12", "(Delta)g21",
      "alpha12"}},
    {"VleWindow (P-x-y)", opening<activity::VleWindow>(activity::VleWindowKind::Pxywilsons),
     {"Compound, Component 1", "Compound, Component2", "Temperature", "Temperature unit", "Lamda12", "Lamda21", "v1",
      "v2"}},
    {"ParametersForm1", opening<activity::ParametersForm1>(),
     {"Compound, Component 1", "Compound, Component2", "Select No Of Data Points"}},
    {"Datapoints",
     [] {
         auto window = std::make_unique<activity::Datapoints>();
         window->showRows(activity::maxDataPoints);
         return window;
     },
     rows({"Temperature", "x1", "y1", "Pressure"}, ", point ", activity::maxDataPoints) +
         QStringList{"Unit  Temperature", "Unit Pressure"}},
    {"fMain",
     [] {
         auto window = std::make_unique<unifac::fMain>();
         window->Form_Load();
         return window;
     },
     rows({"Component ", "Mole Fraction, component "}, "", unifac::rowCount) +
         QStringList{"Temperature", "Temperature unit"}},
    {"fMain (T-x-y)",
     [] {
         auto window = std::make_unique<unifac::fMain>();
         window->Form_Load();
         window->TxyUnifacsetting();
         return window;
     },
     {"Component 1", "Component 2", "Pressure", "Pressure unit"}},
    {"fUName", opening<unifac::fUName>(), {"Enter name of new component"}},
    {"fBuilder", opening<unifac::fBuilder>(),
     rows({"Number", "Increase", "Decrease"}, ", row ", unifac::builderRowCount) + QStringList{"Selected subgroups"}},
    {"fRename", opening<unifac::fRename>(), {"New Name:"}},
    {"fDatabase", opening<unifac::fDatabase>(), {"Component Database"}},
    {"ConstantsDialog", opening<widgets::ConstantsDialog>(2),
     {"compound name", "Tc(kelvin)", "Pc(bar)", "omega", "Normal boiling Point(kelvin)"}},
    {"InputABCD", opening<widgets::InputABCD>(), {"A", "B", "C", "D"}},
    {"HelpBrowser", opening<shell::HelpBrowser>(), {"Back", "Next", "Home", "links", "Email", "Help topics"}},
    {"AboutBox", opening<widgets::AboutBox>(), {}},
    {"UnifacAboutBox", opening<widgets::UnifacAboutBox>(), {}},
    {"frmTextEditor", opening<widgets::frmTextEditor>(), {}},
    {"plotfrmTextEditor1", opening<widgets::plotfrmTextEditor1>(), {}},
    {"MAINMENUFORM", opening<shell::MAINMENUFORM>(), {}},
    {"MDIForm1", opening<shell::MDIForm1>(), {}},
};

TEST(SpokenNames, EveryBoxIsAnnouncedByItsCaptionAndNoTwoAlike)
{
    testing::ScratchFolder folder;
    folder.copyProgramFile("properties.mdb");
    unifac::componentList().ClearComponents();
    for (const unifac::DefaultComponent& component : unifac::defaultComponents())
        unifac::componentList().AddComponent(component.name, component.groups);
    ASSERT_TRUE(unifac::SaveDatabase());
    unifac::componentList().ClearComponents();
    unifac::InitUnifacTables();
    testing::ScriptedUi ui;
    for (const WindowRow& row : windowRows) {
        SCOPED_TRACE(row.windowClass);
        std::unique_ptr<QWidget> window = row.open();
        window->show();
        QStringList heard;
        for (QWidget* box : window->findChildren<QWidget*>()) {
            if (!isInput(*box) || !box->isVisibleTo(window.get()) || box->focusPolicy() == Qt::NoFocus)
                continue;
            const auto [name, caption] = announcement(*box);
            SCOPED_TRACE(box->objectName().toStdString() + " announced as " + name.toStdString());
            // AT-SPI reads a combo box by the label it is labelled by alone; a hidden one stands
            // in for a caption where none is shown.
            if (auto* list = qobject_cast<QComboBox*>(box)) {
                EXPECT_NE(caption, nullptr);
                if (list->lineEdit()) {
                    EXPECT_EQ(QAccessible::queryAccessibleInterface(list->lineEdit())->text(QAccessible::Name), name);
                }
                ASSERT_GT(list->count(), 1);
                const int shown = list->currentIndex();
                EXPECT_FALSE(list->currentText().isEmpty());
                EXPECT_EQ(entryRead(*list), list->currentText());
                list->setCurrentIndex((shown + 1) % list->count());
                EXPECT_EQ(entryRead(*list), list->itemText((shown + 1) % list->count()));
                list->setCurrentIndex(shown);
            }
            if (caption && caption->isVisibleTo(window.get())) {
                EXPECT_TRUE(name.contains(caption->text().trimmed(), Qt::CaseInsensitive));
            }
            EXPECT_FALSE(name.isEmpty());
            EXPECT_FALSE(heard.contains(name, Qt::CaseInsensitive));
            heard << name;
        }
        QStringList expected = row.names;
        expected.sort();
        heard.sort();
        EXPECT_EQ(heard, expected);
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy()) {
                EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty()) << label->text().toStdString();
            }
        }
    }
}

TEST(SpokenNames, ACaptionHoldingAnAmpersandNamesItsBoxAndStaysAsShown)
{
    QWidget window;
    auto* caption = new QLabel(QStringLiteral("Pc & Tc"), &window);
    auto* box = new QLineEdit(&window);
    widgets::announceBy(*caption, *box);
    EXPECT_EQ(caption->text(), QStringLiteral("Pc & Tc"));
    EXPECT_EQ(caption->buddy(), nullptr);
    EXPECT_EQ(announcement(*box).first, QStringLiteral("Pc & Tc"));
}

} // namespace
} // namespace calvex
