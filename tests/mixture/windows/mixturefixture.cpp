#include "tests/mixture/windows/mixturefixture.h"

#include "data/csvreader.h"
#include "data/propertieswriter.h"
#include "mixture/windows/mixturewindows.h"
#include "pure/componentdatabase.h"
#include "widgets/windowregistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace calvex::mixture::testing {

MixtureFixtureFolder::MixtureFixtureFolder()
{
    // Rows as components.csv ships them (stored out of alphabetical order).
    const char* const rows =
        "SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,VPD,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n"
        "109,n-butane,37.96,425.12,272.66,0.2,3,9.055284,2154.697,-34.361,0,23.64698,0.2498569,4.159604e-05,-9.117754e-08\n"
        "79,propane,42.48,369.83,231.02,0.152,3,9.045199,1851.272,-26.11,0,15.38936,0.19355,3.357778e-05,-7.055147e-08\n"
        "0,not listed,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
        "23,methane,45.99,190.56,111.66,0.011,3,8.677752,911.2342,-6.469,0,34.60369,-0.03617834,0.0001636576,-9.053587e-08\n"
        "58,ethane,48.72,305.32,184.55,0.099,3,9.104537,1528.272,-16.469,0,22.53073,0.07811419,0.0001062375,-8.650109e-08\n"
        "336,nitrogen,33.98,126.2,77.35,0.037,3,8.334138,588.725,-6.6,0,29.70462,-0.005616716,1.322916e-05,-4.568359e-09\n"
        "345,air,37.74,132.45,78.67,0,3,9.207075,765.88,4.6692,0,29.33064,-0.005183399,1.585394e-05,-7.07509e-09\n";
    std::filesystem::remove(file(pure::componentDatabaseFile));
    data::writePropertiesDatabase(file(pure::componentDatabaseFile), data::parseCsv(rows),
                                  pure::componentDatabaseKey);
    for (const MixtureWindowKind kind : mixtureWindowKinds()) {
        const MixtureWindowConfig& config = mixtureWindowConfig(kind);
        std::string probe;
        for (int i = 0; i < config.reportCount; ++i)
            probe += "variable\n";
        write(config.templateName, probe);
    }
}

calvex::testing::ScriptedUi::DialogScript fillDialog(std::vector<std::pair<int, std::string>> boxes)
{
    return [boxes](services::ModalDialog& dialog) {
        for (const auto& [index, text] : boxes)
            dialog.typeFieldText(index, text);
        dialog.confirm();
    };
}

void MixtureWindowTest::SetUpTestSuite()
{
    CalculatorWindowTest::SetUpTestSuite();
    registerMixtureWindows();
}

void MixtureWindowTest::restart()
{
    TearDown();
    SetUp();
    ui.clear();
    reportedKinds.clear();
    std::filesystem::remove(folder.file("result.htm"));
}

MixtureInputWindow& MixtureWindowTest::open(MixtureWindowKind kind)
{
    input = widgets::WindowRegistry::instance().loadAs<MixtureInputWindow>(
        QString::fromStdString(mixtureWindowConfig(kind).inputName));
    EXPECT_NE(input, nullptr);
    input->show();
    return *input;
}

void MixtureWindowTest::setCount(const QString& count)
{
    QComboBox* list = input->Combo3();
    if (list->isEditable())
        list->setCurrentText(count);
    else
        list->setCurrentIndex(list->findText(count));
}

void MixtureWindowTest::setTemperature(const QString& text, const QString& unit)
{
    input->Text1_Temperature()->setText(text);
    input->Combo1_Unit_T()->setCurrentIndex(input->Combo1_Unit_T()->findText(unit));
}

void MixtureWindowTest::setPressure(const QString& text, const QString& unit)
{
    input->Text1_Pressure()->setText(text);
    input->Combo1_Unit_p()->setCurrentIndex(input->Combo1_Unit_p()->findText(unit));
}

void MixtureWindowTest::chooseEquation(int option) { QTest::mouseClick(input->Option(option), Qt::LeftButton); }

ComponentSelectionWindow* MixtureWindowTest::fillSelection()
{
    QTest::mouseClick(input->Command1(), Qt::LeftButton);
    return selection();
}

ComponentSelectionWindow* MixtureWindowTest::selection() const
{
    return widgets::WindowRegistry::instance().findAs<ComponentSelectionWindow>(
        QString::fromStdString(input->config().selectionName));
}

void MixtureWindowTest::choose(int slot, const QString& component)
{
    QComboBox* list = selection()->Combo2(slot);
    const int index = list->findText(component);
    ASSERT_GE(index, 0) << component.toStdString();
    list->setCurrentIndex(index);
}

void MixtureWindowTest::typeFraction(int slot, const QString& text)
{
    QLineEdit* box = selection()->Text1_MolFraction(slot);
    box->setFocus();
    box->end(false);
    while (!box->text().isEmpty())
        box->backspace();
    QTest::keyClicks(box, text);
}

void MixtureWindowTest::calculate() { QTest::mouseClick(selection()->Command1(), Qt::LeftButton); }

void MixtureWindowTest::mixture(const std::vector<std::pair<QString, QString>>& components)
{
    setCount(QString::number(components.size()));
    ASSERT_NE(fillSelection(), nullptr);
    for (std::size_t i = 0; i < components.size(); ++i) {
        choose(static_cast<int>(i), components[i].first);
        typeFraction(static_cast<int>(i), components[i].second);
    }
}

} // namespace calvex::mixture::testing
