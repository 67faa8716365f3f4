#include "tests/unifac/unifacwindowfixture.h"

#include "unifac/subgrouptable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace calvex::unifac::testing {

void UnifacWindowTest::SetUp()
{
    componentList().ClearComponents();
    for (const DefaultComponent& component : defaultComponents())
        componentList().AddComponent(component.name, component.groups);
    ASSERT_TRUE(SaveDatabase());
    componentList().ClearComponents();
    InitUnifacTables();
}

void UnifacWindowTest::TearDown()
{
    window.reset();
    EXPECT_TRUE(ui.allAnswersUsed());
}

void UnifacWindowTest::openCalculator()
{
    window = std::make_unique<fMain>();
    window->Form_Load();
    window->show();
}

void UnifacWindowTest::choose(int row, int component)
{
    window->Component(row)->setCurrentIndex(component);
    window->Component_Click(row);
}

ScriptedUi::DialogScript UnifacWindowTest::nameStep(const std::string& name)
{
    return [name](services::ModalDialog& dialog) {
        dialog.typeFieldText(0, name);
        dialog.confirm();
    };
}

ScriptedUi::DialogScript UnifacWindowTest::subgroupStep(std::vector<int> subgroups)
{
    return on<fBuilder>([subgroups](fBuilder& builder) {
        for (const int subgroup : subgroups)
            click(*builder.List1(), subgroup - 1);
        builder.confirm();
    });
}

void UnifacWindowTest::click(QListWidget& list, int item)
{
    list.item(item)->setSelected(!list.item(item)->isSelected());
}

std::string UnifacWindowTest::names()
{
    std::string out;
    for (int i = 1; i <= componentList().ComponentCount(); ++i)
        out += trimBlanks(componentList().ComponentNameAt(i)) + ";";
    return out;
}

} // namespace calvex::unifac::testing
