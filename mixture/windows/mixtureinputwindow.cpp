#include "mixture/windows/mixtureinputwindow.h"

#include "mixture/windows/componentselectionwindow.h"
#include "pure/purecalculatorwindow.h"
#include "services/numbers.h"
#include "services/ui.h"
#include "widgets/colours.h"
#include "widgets/controlevents.h"
#include "widgets/controlstyle.h"
#include "widgets/filteredbox.h"
#include "widgets/optionbuttons.h"
#include "widgets/spokennames.h"
#include "widgets/typedlist.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace calvex::mixture {
namespace {

using widgets::boxFont;
using widgets::labelFont;

// Design sizes in twips.
constexpr double windowWidthTwips = 7200;
constexpr double marginTwips = 240;
constexpr double numberBoxWidthTwips = 1500;
constexpr double unitListWidthTwips = 1500;
constexpr double buttonHeightTwips = 495;

int pixels(const QWidget* widget, double twips) { return widgets::widthFromTwips(*widget, twips); }

} // namespace

MixtureInputWindow::MixtureInputWindow(MixtureWindowKind kind, pure::PureWindowServices* services, QWidget* parent)
    : QWidget(parent),
      m_config(mixtureWindowConfig(kind)),
      m_ownServices(services ? nullptr : pure::programWindowServices()),
      m_services(services ? *services : *m_ownServices)
{
    setObjectName(QString::fromStdString(m_config.inputName));
    setWindowTitle(QString::fromStdString(m_config.inputCaption));
    buildControls();
    Form_Load();
}

MixtureInputWindow::~MixtureInputWindow() = default;

QLabel* MixtureInputWindow::addLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(labelFont());
    return label;
}

QComboBox* MixtureInputWindow::addUnitList(QGridLayout& grid, int row, const char* names[4],
                                           const std::vector<std::string>& units, QLineEdit*& box, bool signedBox)
{
    box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(names[0]));
    box->setFont(boxFont());
    box->setMinimumWidth(pixels(this, numberBoxWidthTwips));
    widgets::setKeyFilter(*box, signedBox ? services::KeyFilter::SignedNumber : services::KeyFilter::UnsignedNumber);
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(names[1]));
    list->setFont(boxFont());
    list->setMinimumWidth(pixels(this, unitListWidthTwips));
    for (const std::string& unit : units)
        list->addItem(QString::fromStdString(unit));
    list->installEventFilter(this);
    QLabel* caption = addLabel(names[2], QString::fromLatin1(names[3]));
    widgets::announceBy(*caption, *box);
    grid.addWidget(caption, row, 0);
    grid.addWidget(box, row, 1);
    return list;
}

void MixtureInputWindow::buildControls()
{
    auto* outer = new QVBoxLayout(this);
    const int margin = pixels(this, marginTwips);
    outer->setContentsMargins(margin, margin / 2, margin, margin);

    QLabel* title = addLabel("Label1", QString::fromStdString(m_config.title));
    title->setFont(labelFont(14));
    title->setAlignment(Qt::AlignCenter);
    widgets::setTextColour(*title, widgets::titleColour());
    outer->addWidget(title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(margin / 2);
    int row = 0;
    if (m_config.asksTemperature) {
        const char* names[4] = {"Text1_Temperature", "Combo1_Unit_T", "Label2", " Temperature"};
        m_temperatureUnits = addUnitList(*grid, row, names, m_config.temperatureUnits, m_temperatureBox, true);
        QLabel* unitCaption = addLabel("Label3", QStringLiteral("Unit "));
        widgets::announceBy(*unitCaption, *m_temperatureUnits, QStringLiteral("Temperature unit"));
        grid->addWidget(unitCaption, row, 2, Qt::AlignRight);
        grid->addWidget(m_temperatureUnits, row++, 3);
    }
    if (m_config.asksPressure) {
        const char* names[4] = {"Text1_Pressure", "Combo1_Unit_p", "Label4", "Pressure"};
        m_pressureUnits = addUnitList(*grid, row, names, m_config.pressureUnits, m_pressureBox, false);
        QLabel* unitCaption = addLabel("Label5", QStringLiteral("Unit"));
        widgets::announceBy(*unitCaption, *m_pressureUnits, QStringLiteral("Pressure unit"));
        grid->addWidget(unitCaption, row, 2, Qt::AlignRight);
        grid->addWidget(m_pressureUnits, row++, 3);
    }
    m_count = new QComboBox(this);
    m_count->setObjectName(QStringLiteral("Combo3"));
    m_count->setFont(boxFont());
    if (m_config.countKeys == CountKeys::Typed)
        widgets::makeTypedList(*m_count);
    for (const char* item : {"2", "3", "4", "5", "6"})
        m_count->addItem(QString::fromLatin1(item));
    if (m_config.countKeys == CountKeys::Swallowed)
        m_count->installEventFilter(this);
    QLabel* countCaption = addLabel("Label6", QStringLiteral("Select No Of Component   Mixture"));
    widgets::announceBy(*countCaption, *m_count);
    grid->addWidget(countCaption, row, 0, 1, 2);
    grid->addWidget(m_count, row, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);

    outer->addWidget(addLabel("Label7", QStringLiteral("Select Equation you want to use")));
    auto* options = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const char* captions[4] = {"Vanderwaal ", "Peng Robinson", "Redlick KWong", "Soave Redlick Kwong"};
    for (int i = m_config.family ? 0 : 1; i < 4; ++i) {
        m_options[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_options[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        m_options[i]->setFont(labelFont());
        group->addButton(m_options[i], i + 1);
        options->addWidget(m_options[i]);
    }
    static constexpr void (MixtureInputWindow::*handlers[])() = {
        &MixtureInputWindow::Option1_Click, &MixtureInputWindow::Option2_Click, &MixtureInputWindow::Option3_Click,
        &MixtureInputWindow::Option4_Click};
    widgets::onOptionChecked(*group, *this, handlers);
    outer->addLayout(options);

    m_optionno = new QLineEdit(this);
    m_optionno->setObjectName(QStringLiteral("Text1_optionno"));
    m_optionno->hide();

    m_command = new QPushButton(QStringLiteral("Click To Enter Compound Name and Mole Fraction"), this);
    m_command->setObjectName(QStringLiteral("Command1"));
    m_command->setFont(labelFont());
    m_command->setMinimumHeight(widgets::sizeFromTwips(*this, 0, buttonHeightTwips).height());
    m_command->setAutoDefault(false);
    connect(m_command, &QPushButton::clicked, this, &MixtureInputWindow::Command1_Click);
    outer->addWidget(m_command);
    setMinimumWidth(pixels(this, windowWidthTwips));
}

QRadioButton* MixtureInputWindow::Option(int number) const
{
    return number >= 1 && number <= 4 ? m_options[number - 1] : nullptr;
}

void MixtureInputWindow::Form_Load()
{
    m_count->setCurrentIndex(0);
    m_count->setCurrentText(QStringLiteral("2"));
    const int selected = m_config.family ? 1 : 2;
    m_options[selected - 1]->setChecked(true);
    m_optionno->setText(QString::number(selected));
    if (m_temperatureUnits)
        m_temperatureUnits->setCurrentIndex(m_temperatureUnits->findText(QStringLiteral("kelvin")));
    if (m_pressureUnits)
        m_pressureUnits->setCurrentIndex(m_pressureUnits->findText(QStringLiteral("bar")));
}

void MixtureInputWindow::Option1_Click() { m_optionno->setText(QStringLiteral("1")); }
void MixtureInputWindow::Option2_Click() { m_optionno->setText(QStringLiteral("2")); }
void MixtureInputWindow::Option3_Click() { m_optionno->setText(QStringLiteral("3")); }
void MixtureInputWindow::Option4_Click() { m_optionno->setText(QStringLiteral("4")); }

void MixtureInputWindow::Combo3_KeyPress(int& KeyAscii)
{
    if (m_config.countKeys == CountKeys::Swallowed)
        KeyAscii = 0;
}

void MixtureInputWindow::Combo1_Unit_T_KeyPress(int& KeyAscii) { KeyAscii = 0; }
void MixtureInputWindow::Combo1_Unit_p_KeyPress(int& KeyAscii) { KeyAscii = 0; }

void MixtureInputWindow::loadFailed()
{
    if (!m_config.loadFailure.empty())
        services::ui().message(m_config.loadFailure);
}

void MixtureInputWindow::Command1_Click()
{
    const std::optional<short> n = services::wholeNumber(m_count->currentText().toStdString());
    if (!n) {
        loadFailed();
        return;
    }
    auto& registry = widgets::WindowRegistry::instance();
    const QString selectionName = QString::fromStdString(m_config.selectionName);
    auto* selection = registry.loadAs<ComponentSelectionWindow>(selectionName);
    if (!selection)
        return;
    // Frames beyond this count would show components the run does not read.
    selection->hideFramesFrom(*n);
    std::optional<pure::ComponentList> list;
    for (int slot = 0; slot < *n; ++slot) {
        // The selection window has six component slots; a larger count fails at the seventh.
        if (slot >= maxComponents) {
            loadFailed();
            return;
        }
        if (!list)
            list = m_services.listComponents();
        if (!list->ok() || !selection->fillList(slot, *list)) {
            loadFailed();
            return;
        }
    }
    selection->fitFrames();
    registry.show(selectionName);
}

bool MixtureInputWindow::eventFilter(QObject* watched, QEvent* event)
{
    const std::optional<int> typed = widgets::typedKeyAscii(*event);
    if (!typed)
        return QWidget::eventFilter(watched, event);
    int KeyAscii = *typed;
    if (watched == m_temperatureUnits)
        Combo1_Unit_T_KeyPress(KeyAscii);
    else if (watched == m_pressureUnits)
        Combo1_Unit_p_KeyPress(KeyAscii);
    else if (watched == m_count)
        Combo3_KeyPress(KeyAscii);
    return KeyAscii == 0;
}

} // namespace calvex::mixture
