#include "pure/purecalculatorwindow.h"

#include "pure/componentlistbox.h"
#include "services/ui.h"
#include "widgets/chartwindow.h"
#include "widgets/colours.h"
#include "widgets/controlevents.h"
#include "widgets/controlstyle.h"
#include "widgets/filteredbox.h"
#include "widgets/optionbuttons.h"
#include "widgets/spokennames.h"
#include "widgets/windowplacement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

namespace calvex::pure {
namespace {

// Design sizes in twips.
constexpr double windowWidthTwips = 7600;
constexpr double marginTwips = 240;
constexpr double componentListWidthTwips = 3600;
constexpr double numberBoxWidthTwips = 1500;
constexpr double unitListWidthTwips = 1500;
constexpr double buttonWidthTwips = 4200;
constexpr double buttonHeightTwips = 480;

int pixels(const QWidget* widget, double twips) { return widgets::widthFromTwips(*widget, twips); }

} // namespace

using widgets::boxFont;
using widgets::labelFont;

PureCalculatorWindow::PureCalculatorWindow(PureWindowKind kind, PureWindowServices* services, QWidget* parent)
    : QWidget(parent),
      m_ownServices(services ? nullptr : programWindowServices()),
      m_calculator(kind, services ? *services : *m_ownServices)
{
    setObjectName(QString::fromStdString(config().name));
    setWindowTitle(QString::fromStdString(config().caption));
    buildControls();
    Form_Load();
}

PureCalculatorWindow::~PureCalculatorWindow() = default;

QLabel* PureCalculatorWindow::addLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(labelFont());
    return label;
}

QComboBox* PureCalculatorWindow::addUnitList(const char* name, const UnitListConfig& units)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(boxFont());
    for (const std::string& entry : units.entries)
        list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(list->findText(QString::fromStdString(units.initialText)));
    list->setMinimumWidth(pixels(this, unitListWidthTwips));
    if (units.keys == ListKeys::Swallow)
        list->installEventFilter(this);
    return list;
}

std::pair<QLineEdit*, QComboBox*> PureCalculatorWindow::addStateRow(QGridLayout& grid, int row,
                                                                     const StateRowNames& names,
                                                                     services::KeyFilter filter,
                                                                     const UnitListConfig& units)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(names.box));
    box->setFont(boxFont());
    box->setMinimumWidth(pixels(this, numberBoxWidthTwips));
    widgets::setKeyFilter(*box, filter);
    QComboBox* list = addUnitList(names.unitList, units);
    QLabel* caption = addLabel(names.label, QString::fromLatin1(names.caption));
    QLabel* unitCaption = addLabel(names.unitLabel, QString::fromLatin1(names.unitCaption));
    widgets::announceBy(*caption, *box);
    widgets::announceBy(*unitCaption, *list, caption->text().trimmed() + QStringLiteral(" unit"));
    grid.addWidget(caption, row, 0);
    grid.addWidget(box, row, 1);
    grid.addWidget(unitCaption, row, 2, Qt::AlignRight);
    grid.addWidget(list, row, 3);
    return {box, list};
}

QFrame* PureCalculatorWindow::addLine(const char* name)
{
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void PureCalculatorWindow::buildControls()
{
    const PureWindowConfig& s = config();
    auto* outer = new QVBoxLayout(this);
    const int margin = pixels(this, marginTwips);
    outer->setContentsMargins(margin, margin / 2, margin, margin);

    QLabel* title = addLabel("Label1", QString::fromStdString(s.title));
    title->setFont(labelFont(14));
    title->setAlignment(Qt::AlignCenter);
    widgets::setTextColour(*title, widgets::titleColour());
    outer->addWidget(title);
    outer->addWidget(addLine("Line1"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(margin / 2);
    m_componentList = new QComboBox(this);
    m_componentList->setObjectName(QStringLiteral("Combo2"));
    m_componentList->setFont(boxFont());
    m_componentList->setMinimumWidth(pixels(this, componentListWidthTwips));
    m_componentList->setMaxVisibleItems(20);
    m_componentList->installEventFilter(this);
    QLabel* listCaption = addLabel("Label6", QStringLiteral("Select  Compound"));
    widgets::announceBy(*listCaption, *m_componentList);
    grid->addWidget(listCaption, 0, 0);
    grid->addWidget(m_componentList, 0, 1, 1, 3);
    QLabel* hint = addLabel("Label8", QString::fromStdString(s.listHint));
    hint->setFont(labelFont(8));
    grid->addWidget(hint, 1, 1, 1, 3);
    grid->addWidget(addLine("Line2"), 2, 0, 1, 4);

    int row = 3;
    if (s.hasTemperature) {
        const StateRowNames names{"Text1_Temperature", "Combo1_Unit_T", "Label2", " Temperature", "Label3", "Unit "};
        std::tie(m_temperatureBox, m_temperatureUnits) =
            addStateRow(*grid, row++, names, s.temperatureFilter, s.temperatureUnits);
    }
    if (s.hasPressure) {
        const StateRowNames names{"Text1_Pressure", "Combo1_Unit_p", "Label4", "Pressure", "Label5", "Unit"};
        std::tie(m_pressureBox, m_pressureUnits) = addStateRow(*grid, row, names, s.pressureFilter, s.pressureUnits);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    outer->addLayout(grid);
    outer->addWidget(addLine("Line3"));

    outer->addWidget(addLabel("Label7", QStringLiteral("Select Equation you want to use")));
    auto* options = new QGridLayout;
    options->setContentsMargins(margin, 0, 0, 0);
    auto* group = new QButtonGroup(this);
    const char* captions[4] = {"Vanderwaal ", "Peng Robinson", "Redlick KWong", "Soave Redlick Kwong"};
    for (int i = 0; i < 4; ++i) {
        m_options[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_options[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        m_options[i]->setFont(labelFont());
        group->addButton(m_options[i], i + 1);
        options->addWidget(m_options[i], i / 2, i % 2);
    }
    m_options[0]->setChecked(true);
    static constexpr void (PureCalculatorWindow::*handlers[])() = {
        &PureCalculatorWindow::Option1_Click, &PureCalculatorWindow::Option2_Click,
        &PureCalculatorWindow::Option3_Click, &PureCalculatorWindow::Option4_Click};
    widgets::onOptionChecked(*group, *this, handlers);
    outer->addLayout(options);
    outer->addWidget(addLine("Line4"));

    m_calculateButton = new QPushButton(QString::fromStdString(s.buttonCaption), this);
    m_calculateButton->setObjectName(QString::fromStdString(s.buttonName));
    m_calculateButton->setFont(labelFont());
    m_calculateButton->setMinimumSize(widgets::sizeFromTwips(*this, buttonWidthTwips, buttonHeightTwips));
    m_calculateButton->setAutoDefault(false);
    connect(m_calculateButton, &QPushButton::clicked, this, &PureCalculatorWindow::calculate);
    outer->addWidget(m_calculateButton, 0, Qt::AlignHCenter);
    outer->addWidget(addLine("Line5"));

    setMinimumWidth(pixels(this, windowWidthTwips));

    // Temperature box, its unit list, pressure box, its unit list, component list, the four
    // equation buttons, Calculate.
    std::vector<QWidget*> order;
    for (QWidget* widget : {static_cast<QWidget*>(m_temperatureBox), static_cast<QWidget*>(m_temperatureUnits),
                            static_cast<QWidget*>(m_pressureBox), static_cast<QWidget*>(m_pressureUnits),
                            static_cast<QWidget*>(m_componentList)})
        if (widget)
            order.push_back(widget);
    for (QRadioButton* option : m_options)
        order.push_back(option);
    order.push_back(m_calculateButton);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QRadioButton* PureCalculatorWindow::Option(int number) const
{
    return number >= 1 && number <= 4 ? m_options[number - 1] : nullptr;
}

void PureCalculatorWindow::Form_Load()
{
    m_calculator.setOptionno(1);
    const ComponentList list = m_calculator.listComponents();
    if (list.ok())
        fillComponentList(*m_componentList, list);
    // An empty list has no first entry to select: that fails the load as an unreadable file does.
    if (!list.ok() || m_componentList->count() == 0) {
        if (!config().loadFailure.empty())
            services::ui().message(config().loadFailure);
        return;
    }
    m_componentList->setCurrentIndex(0);
    if (m_pressureUnits && config().pressureUnits.selectFirstAtLoad)
        m_pressureUnits->setCurrentIndex(0);
    if (m_temperatureUnits && config().temperatureUnits.selectFirstAtLoad)
        m_temperatureUnits->setCurrentIndex(0);
}

void PureCalculatorWindow::Option1_Click() { m_calculator.setOptionno(1); }
void PureCalculatorWindow::Option2_Click() { m_calculator.setOptionno(2); }
void PureCalculatorWindow::Option3_Click() { m_calculator.setOptionno(3); }
void PureCalculatorWindow::Option4_Click() { m_calculator.setOptionno(4); }

void PureCalculatorWindow::Combo1_Unit_T_KeyPress(int& KeyAscii) { KeyAscii = 0; }
void PureCalculatorWindow::Combo1_Unit_p_KeyPress(int& KeyAscii) { KeyAscii = 0; }

void PureCalculatorWindow::Combo2_KeyPress(int& KeyAscii)
{
    if (config().componentKeys == ListKeys::Swallow)
        KeyAscii = 0;
}

void PureCalculatorWindow::Combo2_LostFocus()
{
    // The dialogs it shows take the focus themselves; that must not run the handler again.
    if (m_inLostFocus)
        return;
    m_inLostFocus = true;
    const bool shown = m_calculator.showNotListedDialogs(m_componentList->currentText().toStdString());
    m_inLostFocus = false;
    if (!shown && !config().lostFocusFailure.empty())
        services::ui().message(config().lostFocusFailure);
}

void PureCalculatorWindow::Command1_Calculator_Click() { calculate(); }
void PureCalculatorWindow::Command1_Click() { calculate(); }
void PureCalculatorWindow::Command1_saturatedpressureCalculator_Click() { calculate(); }

void PureCalculatorWindow::calculate() { m_calculator.calculate(readForm()); }

FormReading PureCalculatorWindow::readForm() const
{
    FormReading form;
    if (m_temperatureBox) {
        form.temperatureText = m_temperatureBox->text().toStdString();
        form.temperatureUnit = m_temperatureUnits->currentText().toStdString();
    }
    if (m_pressureBox) {
        form.pressureText = m_pressureBox->text().toStdString();
        form.pressureUnit = m_pressureUnits->currentText().toStdString();
    }
    form.listText = m_componentList->currentText().toStdString();
    const QVariant sno = m_componentList->currentData();
    if (sno.isValid())
        form.sno = sno.toInt();
    return form;
}

void PureCalculatorWindow::graphplotting(const std::string& argument)
{
    const SweepConfig* sweep = sweepFor(config(), argument);
    // A sweep that failed has said so; the chart of an earlier plot is not shown as its result.
    if (!sweep || !m_calculator.writeSweep(argument))
        return;
    plot(sweep->file);
    widgets::showChartWindow();
}

void PureCalculatorWindow::plot(const std::string& datafilename)
{
    widgets::plotSweep(config().sweepPlot, datafilename);
}

bool PureCalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_componentList && event->type() == QEvent::FocusOut) {
        if (widgets::isLeavingControl(*event, *this))
            Combo2_LostFocus();
        return false;
    }
    const std::optional<int> typed = widgets::typedKeyAscii(*event);
    if (!typed)
        return QWidget::eventFilter(watched, event);
    int KeyAscii = *typed;
    if (watched == m_temperatureUnits)
        Combo1_Unit_T_KeyPress(KeyAscii);
    else if (watched == m_pressureUnits)
        Combo1_Unit_p_KeyPress(KeyAscii);
    else if (watched == m_componentList)
        Combo2_KeyPress(KeyAscii);
    return KeyAscii == 0;
}

} // namespace calvex::pure
