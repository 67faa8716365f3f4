// What a screen reader hears for the boxes of every window and dialog, offscreen: each box is
// announced by the caption beside it or a name of its own, no two boxes of a window alike, no
// caption turned into a shortcut.

#include "activity/parameterwindows.h"
#include "activity/vlewindow.h"
#include "mixture/windows/componentselectionwindow.h"
#include "mixture/windows/mixtureinputwindow.h"
#include "pure/purecalculatorwindow.h"
#include "services/aboutbox.h"
#include "services/chartwindow.h"
#include "services/constantsdialog.h"
#include "services/dialogwindows.h"
#include "services/inputabcd.h"
#include "services/resultviewer.h"
#include "services/spokennames.h"
#include "services/windowregistry.h"
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

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
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

using testing::ScratchFolder;

bool insideComboBox(const QWidget& widget)
{
    for (const QWidget* w = widget.parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const QComboBox*>(w))
            return true;
    return false;
}

// The boxes a user can Tab to and type or pick in, and the buttons whose face is a picture.
std::vector<QWidget*> inputs(QWidget& window)
{
    std::vector<QWidget*> found;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->focusPolicy() == Qt::NoFocus || insideComboBox(*w))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
            qobject_cast<QAbstractItemView*>(w) || (button && button->text().isEmpty()))
            found.push_back(w);
    }
    return found;
}

// What AT-SPI hands a screen reader: the label the box is labelled by (a group box's title does
// not count), else the box's own name.
struct Announcement {
    QString name;
    const QLabel* caption = nullptr;
};

Announcement announcement(QWidget& box)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&box);
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        if (const auto* caption = qobject_cast<const QLabel*>(label->object()))
            return {label->text(QAccessible::Name), caption};
    return {box.accessibleName(), nullptr};
}

struct WindowRow {
    const char* windowClass;
    std::function<std::unique_ptr<QWidget>()> open;
    QStringList names; // every announced name, in any order
};

class SpokenNames : public ::testing::Test {
protected:
    static void SetUpTestSuite() { services::registerDialogWindows(); }

    void SetUp() override
    {
        folder.copyProgramFile("properties.mdb");
        unifac::componentList().ClearComponents();
        for (const unifac::DefaultComponent& component : unifac::defaultComponents())
            unifac::componentList().AddComponent(component.name, component.groups);
        ASSERT_TRUE(unifac::SaveDatabase());
        unifac::InitUnifacTables();
    }

    void TearDown() override
    {
        auto& registry = services::WindowRegistry::instance();
        for (QWidget* loaded : registry.loadedWindows())
            registry.unload(loaded);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ScratchFolder folder;
    testing::ScriptedUi ui;
};

std::unique_ptr<QWidget> selectionWindow()
{
    auto window = std::make_unique<mixture::ComponentSelectionWindow>(mixture::MixtureWindowKind::Flash);
    const pure::ComponentList list = pure::programWindowServices()->listComponents();
    for (int slot = 0; slot < 2; ++slot)
        window->fillList(slot, list);
    return window;
}

std::unique_ptr<QWidget> unifacWindow(bool txy)
{
    auto window = std::make_unique<unifac::fMain>();
    window->Form_Load();
    if (txy)
        window->TxyUnifacsetting();
    return window;
}

const QStringList pureNames{"Select  Compound", " Temperature", "Temperature unit", "Pressure", "Pressure unit"};
QStringList unifacNames()
{
    QStringList names{"Temperature", "Temperature unit"};
    for (int row = 1; row <= unifac::rowCount; ++row)
        names << QStringLiteral("Component %1").arg(row) << QStringLiteral("Mole Fraction, component %1").arg(row);
    return names;
}

QStringList builderNames()
{
    QStringList names{"Selected subgroups"};
    for (int row = 1; row <= unifac::builderRowCount; ++row)
        names << QStringLiteral("Number, row %1").arg(row) << QStringLiteral("Increase, row %1").arg(row)
              << QStringLiteral("Decrease, row %1").arg(row);
    return names;
}

QStringList dataPointNames()
{
    QStringList names{"Unit  Temperature", "Unit Pressure"};
    for (int point = 1; point <= activity::maxDataPoints; ++point)
        for (const char* heading : {"Temperature", "x1", "y1", "Pressure"})
            names << QStringLiteral("%1, point %2").arg(QString::fromLatin1(heading)).arg(point);
    return names;
}

// The names as the windows' captions give them (blanks kept); a frame's title joins a caption
// that every frame repeats.
const WindowRow windowRows[] = {
    {"PureCalculatorWindow", [] { return std::make_unique<pure::PureCalculatorWindow>(pure::PureWindowKind::Fugacity); },
     pureNames},
    {"MixtureInputWindow",
     [] { return std::make_unique<mixture::MixtureInputWindow>(mixture::MixtureWindowKind::Flash); },
     {" Temperature", "Temperature unit", "Pressure", "Pressure unit", "Select No Of Component   Mixture"}},
    {"ComponentSelectionWindow", selectionWindow,
     {"Compound, Component 1", "Enter Mole Fraction, Component 1", "Compound, Component2",
      "Enter Mole Fraction, Component2"}},
    {"VleWindow (T-x-y)", [] { return std::make_unique<activity::VleWindow>(activity::VleWindowKind::Txynrtl); },
     {"Compound, Component 1", "Compound, Component2", "Pressure", "Pressure unit", "(Delta)g12", "(Delta)g21",
      "alpha12 "}},
    {"VleWindow (P-x-y)", [] { return std::make_unique<activity::VleWindow>(activity::VleWindowKind::Pxywilsons); },
     {"Compound, Component 1", "Compound, Component2", " Temperature", "Temperature unit", "Lamda12", "Lamda21", "v1",
      "v2"}},
    {"ParametersForm1", [] { return std::make_unique<activity::ParametersForm1>(); },
     {"Compound, Component 1", "Compound, Component2", "Select No Of Data Points"}},
    {"Datapoints",
     [] {
         auto window = std::make_unique<activity::Datapoints>();
         window->showRows(activity::maxDataPoints);
         return std::unique_ptr<QWidget>(std::move(window));
     },
     dataPointNames()},
    {"fMain", [] { return unifacWindow(false); }, unifacNames()},
    {"fMain (T-x-y)", [] { return unifacWindow(true); }, {"Component 1", "Component 2", "Pressure", "Pressure unit"}},
    {"fUName", [] { return std::make_unique<unifac::fUName>(); }, {"Enter name of new component"}},
    {"fBuilder", [] { return std::make_unique<unifac::fBuilder>(); }, builderNames()},
    {"fRename", [] { return std::make_unique<unifac::fRename>(); }, {"New Name:"}},
    {"fDatabase", [] { return std::make_unique<unifac::fDatabase>(); }, {"Component Database"}},
    {"ConstantsDialog", [] { return std::make_unique<services::ConstantsDialog>(2); },
     {"compound name", "Tc(kelvin)", "Pc(bar)", "omega", "Normal boiling Point(kelvin)"}},
    {"InputABCD", [] { return std::make_unique<services::InputABCD>(); }, {"A", "B", "C", "D"}},
    {"HelpBrowser", [] { return std::make_unique<shell::HelpBrowser>(); },
     {"Back", "Next", "Home", "links", "Email", "Help topics"}},
    {"AboutBox", [] { return std::make_unique<services::AboutBox>(); }, {}},
    {"UnifacAboutBox", [] { return std::make_unique<services::UnifacAboutBox>(); }, {}},
    {"frmTextEditor", [] { return std::make_unique<services::frmTextEditor>(); }, {}},
    {"plotfrmTextEditor1", [] { return std::make_unique<services::plotfrmTextEditor1>(); }, {}},
    {"MAINMENUFORM", [] { return std::make_unique<shell::MAINMENUFORM>(); }, {}},
    {"MDIForm1", [] { return std::make_unique<shell::MDIForm1>(); }, {}},
};

TEST_F(SpokenNames, EveryBoxIsAnnouncedByItsCaptionAndNoTwoAlike)
{
    for (const WindowRow& row : windowRows) {
        SCOPED_TRACE(row.windowClass);
        std::unique_ptr<QWidget> window = row.open();
        window->show();
        QStringList heard;
        for (QWidget* box : inputs(*window)) {
            const Announcement said = announcement(*box);
            SCOPED_TRACE(box->objectName().toStdString() + " announced as \"" + said.name.toStdString() + '"');
            EXPECT_FALSE(said.name.trimmed().isEmpty());
            // AT-SPI reads a combo box by the label it is labelled by alone.
            if (qobject_cast<QComboBox*>(box)) {
                EXPECT_NE(said.caption, nullptr);
            }
            // A shown caption is what the box is announced by; a hidden one stands in for none.
            if (said.caption && said.caption->isVisibleTo(window.get())) {
                EXPECT_TRUE(said.name.contains(said.caption->text().trimmed(), Qt::CaseInsensitive));
            }
            EXPECT_FALSE(heard.contains(said.name.trimmed(), Qt::CaseInsensitive));
            heard << said.name.trimmed();
        }
        QStringList expected;
        for (const QString& name : row.names)
            expected << name.trimmed();
        heard.sort();
        expected.sort();
        EXPECT_EQ(heard, expected);
        // A label has a shortcut only as a buddy.
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy()) {
                EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty()) << label->text().toStdString();
            }
        }
    }
}

TEST_F(SpokenNames, ACaptionHoldingAnAmpersandNamesItsBoxAndStaysAsShown)
{
    QWidget window;
    auto* caption = new QLabel(QStringLiteral("Pc & Tc"), &window);
    auto* box = new QLineEdit(&window);
    services::announceBy(*caption, *box);
    EXPECT_EQ(caption->text(), QStringLiteral("Pc & Tc"));
    EXPECT_EQ(caption->buddy(), nullptr);
    EXPECT_EQ(announcement(*box).name, QStringLiteral("Pc & Tc"));
}

} // namespace
} // namespace calvex
