#include "services/usercomponentfile.h"
#include "widgets/constantsdialog.h"
#include "widgets/dialogwindows.h"
#include "widgets/inputabcd.h"
#include "widgets/windowregistry.h"

#include "tests/support/scratchfolder.h"
#include "tests/support/scriptedui.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace calvex::widgets {
namespace {

using testing::ScratchFolder;
using testing::ScriptedUi;

const std::string propaneLine = "\"propane\",\"369.8\",\"42.48\",\"0.152\",\"231.1\"\r\n";

std::string text(const QLineEdit* box) { return box->text().toStdString(); }

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { registerDialogWindows(); }
    void TearDown() override
    {
        for (QWidget* window : registry.loadedWindows())
            registry.unload(window);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    WindowRegistry& registry = WindowRegistry::instance();
    ScratchFolder folder;
};

TEST_F(DialogTest, SevenInstancesWithTheirHeadingsAndPcLabels)
{
    for (int component = 0; component <= 6; ++component) {
        const QString name = ConstantsDialog::instanceName(component);
        auto* dialog = registry.loadAs<ConstantsDialog>(name);
        ASSERT_NE(dialog, nullptr) << name.toStdString();
        EXPECT_EQ(dialog->objectName(), name);
        EXPECT_EQ(dialog->windowTitle(), "enter value of Pc Tc and omega");
        EXPECT_EQ(dialog->Command1()->text(), "Click");
        EXPECT_EQ(dialog->fieldCount(), 5);
        QStringList labels;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        EXPECT_TRUE(labels.contains(component == 0 ? " Compound " : QStringLiteral("For Component %1").arg(component)));
        EXPECT_TRUE(labels.contains(component == 0 ? "Pc   ( in bar)" : "Pc(bar)"));
        for (const char* label : {"compound name", "Tc(kelvin)", "omega", "Normal boiling Point(kelvin)"})
            EXPECT_TRUE(labels.contains(label)) << label;
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(dialog->Text1(i)->text().isEmpty());
        EXPECT_FALSE(dialog->EntriesChanged());
    }
    EXPECT_EQ(registry.loadAs<ConstantsDialog>("GetPcTcOmega7"), nullptr);
}

TEST_F(DialogTest, ConstantBoxesRefuseTheMinusSignAndASecondPoint)
{
    ConstantsDialog dialog;
    for (int box = ConstantsDialog::TcBox; box <= ConstantsDialog::TbBox; ++box) {
        QLineEdit* edit = dialog.Text1(box);
        QTest::keyClicks(edit, "-12.5.3e-x");
        EXPECT_EQ(text(edit), "12.53") << box;
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(text(edit), "12.5");
        edit->selectAll();
        QTest::keyClicks(edit, "."); // the point already there counts, even selected
        EXPECT_EQ(text(edit), "12.5");
    }
    QLineEdit* pc = dialog.Text1(ConstantsDialog::PcBox);
    pc->clear();
    QGuiApplication::clipboard()->setText("-42.4.8 bar");
    QTest::keyClick(pc, Qt::Key_V, Qt::ControlModifier); // pasted text goes through the filter too
    EXPECT_EQ(text(pc), "");
    QGuiApplication::clipboard()->setText("42.48");
    QTest::keyClick(pc, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(pc), "42.48");

    QTest::keyClicks(dialog.Text1(ConstantsDialog::NameBox), "-R-12, \"x\".5");
    EXPECT_EQ(text(dialog.Text1(ConstantsDialog::NameBox)), "-R-12, \"x\".5");
}

TEST_F(DialogTest, ScriptedTypingGoesThroughTheSameFilter)
{
    ConstantsDialog dialog;
    dialog.typeFieldText(ConstantsDialog::PcBox, "-4.2.48");
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::PcBox), "4.248");
    dialog.typeFieldText(ConstantsDialog::PcBox, "42.48"); // types over what the box held
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::PcBox), "42.48");
    EXPECT_DOUBLE_EQ(dialog.fieldValue(ConstantsDialog::PcBox), 42.48);
    EXPECT_DOUBLE_EQ(dialog.fieldValue(ConstantsDialog::OmegaBox), 0.0);
}

TEST_F(DialogTest, KnownNameFillsTheFourConstantsWhenTcIsEntered)
{
    folder.write(services::userComponentFileName, "\"Propane\",\"1\",\"2\",\"3\",\"4\"\r\n" + propaneLine);
    ConstantsDialog dialog;
    dialog.typeFieldText(ConstantsDialog::NameBox, "propane");
    EXPECT_TRUE(dialog.fieldText(ConstantsDialog::TcBox).empty()); // nothing before the Tc box is entered
    dialog.Text1_GotFocus(ConstantsDialog::TcBox);
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::TcBox), "369.8");
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::PcBox), "42.48");
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::OmegaBox), "0.152");
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::TbBox), "231.1");
    EXPECT_TRUE(dialog.EntriesChanged());

    dialog.typeFieldText(ConstantsDialog::OmegaBox, "0.2");
    dialog.Text1_GotFocus(ConstantsDialog::TcBox); // entering Tc again restores the stored values
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::OmegaBox), "0.152");
}

TEST_F(DialogTest, LookUpIsCaseSensitive)
{
    folder.write(services::userComponentFileName, propaneLine);
    ConstantsDialog dialog;
    dialog.typeFieldText(ConstantsDialog::NameBox, "PROPANE");
    dialog.Text1_GotFocus(ConstantsDialog::TcBox);
    for (int box = ConstantsDialog::TcBox; box <= ConstantsDialog::TbBox; ++box)
        EXPECT_TRUE(dialog.fieldText(box).empty());
    EXPECT_FALSE(dialog.EntriesChanged());
}

TEST_F(DialogTest, EnteringTcByFocusRunsTheLookUp)
{
    folder.write(services::userComponentFileName, propaneLine);
    ConstantsDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.Text1(ConstantsDialog::NameBox)->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(dialog.Text1(ConstantsDialog::NameBox), "propane");
    QTest::keyClick(dialog.Text1(ConstantsDialog::NameBox), Qt::Key_Tab);
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::TcBox), "369.8");
    EXPECT_EQ(dialog.fieldText(ConstantsDialog::TbBox), "231.1");
    dialog.hide();
}

TEST_F(DialogTest, ConfirmAfterAChangeAppendsOneRecordThatReadsBack)
{
    auto* dialog = registry.loadAs<ConstantsDialog>("GetPcTcOmega");
    ASSERT_NE(dialog, nullptr);
    ScriptedUi ui;
    ui.onDialog([](services::ModalDialog& d) {
        d.typeFieldText(0, "my \"special\", fluid");
        d.typeFieldText(1, "500.5");
        d.typeFieldText(2, "30");
        d.typeFieldText(3, "0.25");
        d.typeFieldText(4, "350");
        d.confirm();
    });
    ui.showModal(*dialog);
    EXPECT_EQ(folder.read(services::userComponentFileName),
              "\"my \"\"special\"\", fluid\",\"500.5\",\"30\",\"0.25\",\"350\"\r\n");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"GetPcTcOmega"});
    EXPECT_FALSE(dialog->isVisible());

    ConstantsDialog second;
    second.typeFieldText(ConstantsDialog::NameBox, "my \"special\", fluid");
    second.Text1_GotFocus(ConstantsDialog::TcBox);
    EXPECT_EQ(second.fieldText(ConstantsDialog::TcBox), "500.5");
    EXPECT_EQ(second.fieldText(ConstantsDialog::PcBox), "30");
    EXPECT_EQ(second.fieldText(ConstantsDialog::OmegaBox), "0.25");
    EXPECT_EQ(second.fieldText(ConstantsDialog::TbBox), "350");
}

TEST_F(DialogTest, ConfirmWithoutChangedConstantsAppendsNothing)
{
    ConstantsDialog dialog;
    dialog.typeFieldText(ConstantsDialog::NameBox, "only a name");
    dialog.confirm();
    EXPECT_FALSE(std::filesystem::exists(folder.file(services::userComponentFileName)));
}

TEST_F(DialogTest, EveryLaterConfirmOfAChangedDialogAppendsAgain)
{
    folder.write(services::userComponentFileName, propaneLine);
    ConstantsDialog dialog;
    dialog.typeFieldText(ConstantsDialog::NameBox, "propane");
    dialog.Text1_GotFocus(ConstantsDialog::TcBox);
    dialog.confirm();
    dialog.confirm();
    EXPECT_EQ(folder.read(services::userComponentFileName), propaneLine + propaneLine + propaneLine);
}

TEST_F(DialogTest, HiddenDialogKeepsItsTextsUntilUnloaded)
{
    auto* dialog = registry.loadAs<ConstantsDialog>("GetPcTcOmega3");
    dialog->typeFieldText(ConstantsDialog::NameBox, "x");
    dialog->typeFieldText(ConstantsDialog::TcBox, "400");
    dialog->confirm();
    EXPECT_EQ(registry.loadAs<ConstantsDialog>("GetPcTcOmega3"), dialog);
    EXPECT_EQ(dialog->fieldText(ConstantsDialog::TcBox), "400");
    registry.unload(dialog);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* fresh = registry.loadAs<ConstantsDialog>("GetPcTcOmega3");
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->fieldText(ConstantsDialog::TcBox).empty());
    EXPECT_FALSE(fresh->EntriesChanged());
}

TEST_F(DialogTest, RunningModallyReturnsWhenClickIsPressed)
{
    auto* dialog = registry.loadAs<ConstantsDialog>("GetPcTcOmega1");
    QTimer::singleShot(0, dialog, [dialog] {
        QTest::keyClicks(dialog->Text1(ConstantsDialog::TcBox), "190.6");
        QTest::mouseClick(dialog->Command1(), Qt::LeftButton);
    });
    dialog->runModal();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->fieldText(ConstantsDialog::TcBox), "190.6");
    EXPECT_EQ(folder.read(services::userComponentFileName), "\"\",\"190.6\",\"\",\"\",\"\"\r\n");
}

TEST_F(DialogTest, HeatCapacityDialogTakesMinusSignsAnywhere)
{
    auto* dialog = registry.loadAs<InputABCD>("InputABCD");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Input Box");
    EXPECT_EQ(dialog->Command1()->text(), "Click");
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    for (const char* label : {"Heat capacity Equation used is ",
                              "Cp = A + B*T +C*(T^2) +D*(T^3)    where Cp is obtained in J/(mol-K) and   T is in Kelvin",
                              "Pleae Give Constants A,B,C,D", "A", "B", "C", "D"})
        EXPECT_TRUE(labels.contains(label)) << label;

    QTest::keyClicks(dialog->Text1(0), "-0.5.1");
    EXPECT_EQ(dialog->fieldText(0), "-0.51");
    QTest::keyClicks(dialog->Text1(1), "5-e+E3a");
    EXPECT_EQ(dialog->fieldText(1), "5-3");
    EXPECT_DOUBLE_EQ(dialog->fieldValue(1), 5.0); // the reader stops at the minus sign
    dialog->typeFieldText(2, "--1.2E-5");
    EXPECT_EQ(dialog->fieldText(2), "--1.2-5");
    EXPECT_DOUBLE_EQ(dialog->fieldValue(3), 0.0);

    dialog->confirm();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(registry.loadAs<InputABCD>("InputABCD")->fieldText(0), "-0.51");
}

} // namespace
} // namespace calvex::widgets
