// The component builder's two steps through the wizard: the name checks, the subgroup rows,
// the counts and totals, and the group list it adds.
#include "tests/unifac/unifacwindowfixture.h"

#include "unifac/builderrules.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace calvex::unifac::testing {
namespace {

class ComponentBuilderTest : public UnifacWindowTest {
protected:
    void SetUp() override
    {
        UnifacWindowTest::SetUp();
        openCalculator();
    }
    // Runs the wizard; true when a component was added.
    bool runWizard() { return runComponentWizard(window.get()); }
    static std::vector<std::string> rowSubgroups(const fBuilder& builder)
    {
        std::vector<std::string> rows;
        for (int row = 0; row < builder.rowsInUse(); ++row)
            rows.push_back(builder.SubNum(row)->text().toStdString() + "x" + builder.NumSub(row)->text().toStdString());
        return rows;
    }
};

TEST_F(ComponentBuilderTest, NamesAreComparedAsStored)
{
    const std::string taken = nameInUseMessage, blank = blankNameMessage;
    componentList().AddComponent("twenty letters long!", "17,1;");
    ui.onDialog(on<fUName>([](fUName& step) {
          for (const char* name : {"  ", " water ", "twenty letters long!, and more"}) {
              step.typeFieldText(0, name);
              step.confirm();
          }
          EXPECT_EQ(step.Tag, QStringLiteral("-1"));
          step.typeFieldText(0, "Water");
          step.confirm();
      }))
        .onDialog(subgroupStep({17}));
    EXPECT_TRUE(runWizard());
    EXPECT_EQ(ui.messages(), (Texts{blank, taken, taken}));
    EXPECT_EQ(names(), "benzene;chlorobenzene;ethylbenzene;n-octane;toluene;water;twenty letters long!;Water;");
    EXPECT_EQ(ui.events()[1].title, "Error");
    EXPECT_EQ(ui.events()[2].title, "Please note");
    EXPECT_EQ(ui.events()[2].icon, services::Ui::Icon::Information);
}

TEST_F(ComponentBuilderTest, RowsFollowTheListAndKeepEightAtMost)
{
    ui.onDialog(nameStep("mixture of groups")).onDialog(on<fBuilder>([&](fBuilder& step) {
        EXPECT_EQ(step.TotalR()->text(), QStringLiteral("0."));
        for (int subgroup : {10, 1, 15, 17})
            click(*step.List1(), subgroup - 1);
        EXPECT_EQ(rowSubgroups(step), (Texts{"10x1", "1x1", "15x1", "17x1"}));
        click(*step.List1(), 0); // row 1 deselected: the rows below move up
        EXPECT_EQ(rowSubgroups(step), (Texts{"10x1", "15x1", "17x1"}));
        EXPECT_TRUE(step.NumSub(3)->isHidden());
        EXPECT_TRUE(step.SubNum(3)->text().isEmpty());
        for (int subgroup : {20, 21, 22, 23, 24, 25})
            click(*step.List1(), subgroup - 1);
        EXPECT_EQ(step.rowsInUse(), 8);
        EXPECT_EQ(step.List1()->selectedItems().size(), 8);
        EXPECT_EQ(ui.messages(), Texts{ninthSubgroupMessage});
        EXPECT_EQ(step.List1()->selectedItems().size(), 8);
        step.confirm();
    }));
    EXPECT_TRUE(runWizard());
    EXPECT_EQ(trimBlanks(componentList().ComponentGroups(7)), "10,1;15,1;17,1;20,1;21,1;22,1;23,1;24,1;");
}

TEST_F(ComponentBuilderTest, CountsAndTotals)
{
    ui.onDialog(nameStep("dimer")).onDialog(on<fBuilder>([&](fBuilder& step) {
        click(*step.List1(), 9); // ACH
        click(*step.List1(), 0); // CH3
        EXPECT_EQ(step.R(1)->text(), QStringLiteral("0.9011"));
        EXPECT_EQ(step.Q(1)->text(), QStringLiteral("0.848"));
        QLineEdit* ach = step.NumSub(0);
        ach->clear();
        QTest::keyClicks(ach, "0x1005");
        EXPECT_EQ(ach->text(), QStringLiteral("100"));
        step.Spin_SpinUp(1);
        EXPECT_EQ(step.TotalR()->text(), QStringLiteral("54.9322")); // 100·0.5313 + 2·0.9011, in single precision
        ach->setText("999");
        step.Spin_SpinUp(0);
        EXPECT_EQ(ach->text(), QStringLiteral("999"));
        ach->setText("1");
        step.Spin_SpinDown(0);
        EXPECT_EQ(ach->text(), QStringLiteral("1"));
        ach->setText("5");
        step.typeFieldText(1, "");
        step.confirm(); // an empty count becomes 1 before the list is made
    }));
    EXPECT_TRUE(runWizard());
    EXPECT_EQ(trimBlanks(componentList().ComponentGroups(7)), "1,1;10,5;");
}

// The box's context menu pastes past the key filter: the list holds the whole count the box
// then shows, never the pasted text.
TEST_F(ComponentBuilderTest, PastedCountsBecomeWholeCounts)
{
    const std::vector<std::pair<QString, std::string>> cases = {
        {"1.5", "2"}, {"2x", "2"}, {"1e2", "100"}, {"0", "1"}, {"-3", "1"}, {"abc", "1"}, {"7", "7"}};
    for (const auto& [pasted, count] : cases) {
        componentList().ClearComponents();
        ui.onDialog(nameStep("pasted")).onDialog(on<fBuilder>([&, pasted = pasted, count = count](fBuilder& step) {
            click(*step.List1(), 16); // H2O
            step.NumSub(0)->clear();
            QApplication::clipboard()->setText(pasted);
            step.NumSub(0)->paste();
            step.confirm();
            EXPECT_EQ(step.NumSub(0)->text().toStdString(), count) << pasted.toStdString();
        }));
        EXPECT_TRUE(runWizard());
        EXPECT_EQ(trimBlanks(componentList().ComponentGroups(1)), "17," + count + ";") << pasted.toStdString();
    }
}

TEST_F(ComponentBuilderTest, TotalsOfTwoMethyls)
{
    const auto [sumR, sumQ] = totalsOf({{1, "2"}});
    EXPECT_EQ(totalText(sumR), "1.8022");
    EXPECT_EQ(totalText(sumQ), "1.696");
}

TEST_F(ComponentBuilderTest, RefusalsKeepTheStepOpen)
{
    ui.onDialog(nameStep("long")).onDialog(on<fBuilder>([&](fBuilder& step) {
        step.confirm();
        EXPECT_EQ(step.Tag, QStringLiteral("-1"));
        for (int subgroup = 10; subgroup < 18; ++subgroup) {
            click(*step.List1(), subgroup - 1);
            step.typeFieldText(subgroup - 10, "10");
        }
        step.confirm(); // eight entries "1x,10;" need 48 characters
        EXPECT_EQ(step.Tag, QStringLiteral("-1"));
        step.Command1_Click();
    }));
    EXPECT_FALSE(runWizard());
    EXPECT_EQ(ui.messages(), (Texts{noSubgroupMessage, listTooLongMessage}));
    EXPECT_EQ(componentList().ComponentCount(), 6);
}

TEST_F(ComponentBuilderTest, AFullListTakesNoMore)
{
    componentList().replaceAll(std::vector<UnifacComponent>(maxComponentCount, UnifacComponent{"n", "17,1;"}));
    ui.onDialog(nameStep("one too many")).onDialog(subgroupStep({17}));
    EXPECT_FALSE(runWizard());
    EXPECT_EQ(ui.messages(), Texts{listFullMessage});
    EXPECT_EQ(componentList().ComponentCount(), maxComponentCount);
}

TEST_F(ComponentBuilderTest, BackAndNextKeepBothSteps)
{
    ui.onDialog(nameStep("first"))
        .onDialog(on<fBuilder>([](fBuilder& step) {
            click(*step.List1(), 16);
            step.typeFieldText(0, "2");
            step.Command2_Click();
        }))
        .onDialog(on<fUName>([](fUName& step) {
            EXPECT_EQ(step.NewName()->text(), QStringLiteral("first"));
            step.typeFieldText(0, "second");
            step.confirm();
        }))
        .onDialog(on<fBuilder>([](fBuilder& step) {
            EXPECT_EQ(step.CompName()->text(), QStringLiteral("second"));
            EXPECT_EQ(rowSubgroups(step), Texts{"17x2"});
            step.confirm();
        }));
    EXPECT_TRUE(runWizard());
    EXPECT_EQ(trimBlanks(componentList().ComponentNameAt(7)), "second");
    // Closed by its frame, a step acts as Cancel.
    ui.onDialog(on<fUName>([](fUName& step) { step.close(); }));
    EXPECT_FALSE(runWizard());
}

} // namespace
} // namespace calvex::unifac::testing
