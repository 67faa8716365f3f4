#include "unifac/unifaccalculator.h"

#include "pure/purecalculatorwindow.h"
#include "services/ui.h"
#include "unifac/calculatorrules.h"
#include "unifac/componentbuilder.h"
#include "unifac/componentfile.h"
#include "unifac/databaseeditor.h"
#include "unifac/subgrouptable.h"
#include "unifac/unifacvleruns.h"
#include "widgets/aboutbox.h"
#include "widgets/chartwindow.h"
#include "widgets/colours.h"
#include "widgets/filteredbox.h"
#include "widgets/frametoolbar.h"
#include "widgets/spokennames.h"
#include "widgets/windowcommands.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace calvex::unifac {
namespace {

const QString emptyEntry = QStringLiteral("<< empty >>");

// A message of the UNIFAC window whose loading failed to read the file: the list stays empty
// and the file is not touched.
const std::string unreadableMessage = std::string("The component database DATABASE.UFC could not be read.") +
                                      lineEnd + "The component list is empty; the file was left as it was.";

// The text on the rows' own backgrounds, the window text of the light desktop they were chosen for.
const QColor rowTextColour(0, 0, 0);

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

} // namespace

QColor fMain::emptyRowColour() { return QColor(128, 128, 255); }

QColor fMain::coefficientColour() { return QColor(255, 255, 0); }

fMain::fMain(pure::PureWindowServices* services, QWidget* parent)
    : QWidget(parent),
      m_ownServices(services ? nullptr : pure::programWindowServices()),
      m_services(services ? *services : *m_ownServices)
{
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral("UNIFAC Activity Coefficient Calculator"));
    buildControls();
}

void fMain::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    m_toolbar = new QToolBar(this);
    widgets::fillToolbar(m_toolbar,
                          {{"Calculate", "Calculate", "calc", "Calculate activity coefficients"},
                           {"Clear", "Clear", "clear", "Clears the previous input"},
                           {"Clipboard", "Clipboard", "copy", "Copy results to clipboard"},
                           {"Define", "Define", "next", "Define a new component to the UNIFAC database"},
                           {"Database", "Database", "save", "Add/edit components in the component database"},
                           {"About", "About", "about", "About UNIFAC calculator"},
                           {"Exit", "Exit", "exit", "Exit UNIFAC calculator"}},
                          widgets::ToolbarFocus::AfterOwnControls,
                          [this](const QString& key) { Toolbar3_ButtonClick(key); });
    m_toolbar->setObjectName(QStringLiteral("Toolbar3"));
    layout->addWidget(m_toolbar);

    m_frame2 = new QGroupBox(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    auto* modeLayout = new QVBoxLayout(m_frame2);
    m_labels[6] = new QLabel(m_frame2);
    modeLayout->addWidget(m_labels[6]);
    QFont headingFont = m_labels[6]->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    m_labels[6]->setFont(headingFont);
    m_frame2->hide();
    layout->addWidget(m_frame2);

    auto* frame1 = new QGroupBox(QStringLiteral("System Conditions"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    layout->addWidget(frame1);
    layout->addStretch();
    auto* grid = new QGridLayout(frame1);
    const char* headers[] = {"Component", "Mole Fraction", "UNIFAC Activity Coefficient"};
    for (int h = 0; h < 3; ++h) {
        m_labels[h + 2] = new QLabel(QString::fromLatin1(headers[h]), frame1);
        grid->addWidget(m_labels[h + 2], 0, h + 1);
    }
    for (int i = 0; i < rowCount; ++i) {
        Row& row = m_rows[i];
        row.number = new QLabel(QString::number(i + 1), frame1);
        row.component = new QComboBox(frame1);
        row.component->setMinimumContentsLength(20);
        row.moleFract = new QLineEdit(frame1);
        row.actCoeff = new QLabel(frame1);
        row.actCoeff->setMinimumWidth(160);
        row.actCoeff->setFrameShape(QFrame::Panel);
        row.actCoeff->setFrameShadow(QFrame::Sunken);
        const QString index = QStringLiteral("(%1)").arg(i);
        row.number->setObjectName(QStringLiteral("Number") + index);
        row.component->setObjectName(QStringLiteral("Component") + index);
        row.moleFract->setObjectName(QStringLiteral("MoleFract") + index);
        row.actCoeff->setObjectName(QStringLiteral("ActCoeff") + index);
        // The row's number stands beside its list; the column's heading and the number tell a box.
        widgets::announceBy(*row.number, *row.component, m_labels[2]->text() + QLatin1Char(' ') + row.number->text());
        widgets::announceAs(*row.moleFract, m_labels[3]->text() + QStringLiteral(", component ") + row.number->text());
        grid->addWidget(row.number, i + 1, 0);
        grid->addWidget(row.component, i + 1, 1);
        grid->addWidget(row.moleFract, i + 1, 2);
        grid->addWidget(row.actCoeff, i + 1, 3);
        connect(row.component, &QComboBox::activated, this, [this, i] { Component_Click(i); });
        widgets::setKeyFilter(*row.moleFract, [this, i](std::string_view text, char key) {
            if (!m_rows[i].actCoeff->text().isEmpty())
                ClearActCoeff();
            return moleFractionKeyAccepted(text, key);
        });
    }

    m_labels[1] = new QLabel(QStringLiteral("Temperature"), frame1);
    m_temp = new QLineEdit(frame1);
    m_tempUnits = new QComboBox(frame1);
    m_tempUnits->addItems({QStringLiteral("K"), QStringLiteral("°C"), QStringLiteral("°F"), QStringLiteral("°R")});
    m_pressure = new QLineEdit(frame1);
    m_pressureUnits = new QComboBox(frame1);
    m_pressureUnits->addItems({QStringLiteral("kpa"), QStringLiteral("bar"), QStringLiteral("Mpa"), QStringLiteral("psia"),
                               QStringLiteral("atm"), QStringLiteral("mm Hg")});
    m_pressureUnits->setCurrentText(QStringLiteral("bar"));
    m_temp->setObjectName(QStringLiteral("Temp"));
    m_tempUnits->setObjectName(QStringLiteral("TempUnits"));
    m_pressure->setObjectName(QStringLiteral("Text1_Pressure"));
    m_pressureUnits->setObjectName(QStringLiteral("Combo1_Unit_p"));
    for (int number : {1, 2, 3, 4})
        m_labels[number]->setObjectName(QStringLiteral("Label%1").arg(number));
    m_labels[6]->setObjectName(QStringLiteral("Label6"));
    widgets::announceBy(*m_labels[1], *m_temp);
    widgets::announceAs(*m_tempUnits, QStringLiteral("Temperature unit"));
    widgets::announceAs(*m_pressure, QStringLiteral("Pressure"));
    widgets::announceAs(*m_pressureUnits, QStringLiteral("Pressure unit"));
    auto* conditions = new QHBoxLayout;
    conditions->addWidget(m_labels[1]);
    for (QWidget* box : {static_cast<QWidget*>(m_temp), static_cast<QWidget*>(m_tempUnits),
                         static_cast<QWidget*>(m_pressure), static_cast<QWidget*>(m_pressureUnits)})
        conditions->addWidget(box);
    conditions->addStretch();
    grid->addLayout(conditions, rowCount + 1, 0, 1, 4);
    // Spare width goes to the right of the table, so each number stays beside its list when
    // the two diagram layouts hide the fraction and coefficient columns.
    grid->setColumnStretch(4, 1);
    m_pressure->hide();
    m_pressureUnits->hide();
    // As in the binary T-x-y windows: a pressure typed with a decimal comma would read as its
    // whole part.
    widgets::setKeyFilter(*m_pressure, services::KeyFilter::UnsignedNumber);
    widgets::setKeyFilter(*m_temp, [this](std::string_view text, char key) {
        ClearActCoeff();
        return temperatureKeyAccepted(text, key, m_tempUnits->currentIndex());
    });
}

fMain::~fMain() = default;

QLabel* fMain::Label(int number) const
{
    return number >= 0 && number < static_cast<int>(m_labels.size()) ? m_labels[number] : nullptr;
}

void fMain::Form_Load()
{
    // No second-instance rule: the window opens whatever else runs. Whoever loads the window
    // shows it: the result viewer loads it unshown to draw the last run's diagram.
    InitUnifacTables();
    const DatabaseLoad load = LoadDatabase();
    m_tempUnits->setCurrentIndex(0);
    LoadComponentLists();
    ClearForm();
    if (load == DatabaseLoad::Failed)
        services::ui().message(unreadableMessage, errorTitle, services::Ui::Icon::Exclamation);
}

void fMain::LoadComponentLists()
{
    const int n = componentList().ComponentCount();
    QStringList entries{emptyEntry};
    for (int k = 1; k <= n; ++k)
        entries.append(fromStd(componentList().ComponentNameAt(k)));
    for (const Row& row : m_rows) {
        row.component->clear();
        row.component->addItems(entries);
    }
}

void fMain::ClearForm()
{
    for (int i = 0; i < rowCount; ++i)
        EmptyComponent(i);
    m_temp->clear();
    // Hidden in the T-x-y layout; a window not shown yet takes the focus here once it is.
    if (!m_temp->isHidden())
        m_temp->setFocus();
}

void fMain::EmptyComponent(int index)
{
    Row& row = m_rows[index];
    row.component->setCurrentIndex(0);
    row.moleFract->clear();
    row.moleFract->setEnabled(false);
    row.actCoeff->clear();
    setRowColours(index, false);
}

void fMain::setRowColours(int index, bool inUse)
{
    const Row& row = m_rows[index];
    // A box in use has the desktop's colours, and follows them when they change.
    if (inUse)
        widgets::clearFixedColours(*row.moleFract);
    else
        widgets::setFixedColours(*row.moleFract, rowTextColour, emptyRowColour());
    widgets::setFixedColours(*row.actCoeff, rowTextColour, inUse ? coefficientColour() : emptyRowColour());
}

void fMain::ClearActCoeff()
{
    for (const Row& row : m_rows)
        row.actCoeff->clear();
}

void fMain::Component_Click(int index)
{
    if (m_rows[index].component->currentIndex() != 0) {
        m_rows[index].moleFract->setEnabled(true);
        m_rows[index].actCoeff->setEnabled(true);
        setRowColours(index, true);
    }
    ClearActCoeff();
}

void fMain::Toolbar3_ButtonClick(const QString& key)
{
    if (m_rows[rowCount - 1].component->isVisibleTo(this))
        m_mode = 1;
    if (key == QLatin1String("Calculate"))
        calculate();
    else if (key == QLatin1String("Clear"))
        ClearForm();
    else if (key == QLatin1String("Clipboard"))
        copyToClipboard();
    else if (key == QLatin1String("Define"))
        defineComponent();
    else if (key == QLatin1String("Database"))
        openDatabase();
    else if (key == QLatin1String("About"))
        widgets::showUnifacAbout(this);
    else if (key == QLatin1String("Exit"))
        exitWindow();
}

UnifacSheet fMain::readSheet() const
{
    UnifacSheet sheet;
    sheet.temperature = m_temp->text().toStdString();
    sheet.unitIndex = m_tempUnits->currentIndex();
    for (int i = 0; i < rowCount; ++i)
        sheet.rows[i] = {m_rows[i].component->currentIndex(), m_rows[i].moleFract->text().toStdString(),
                         m_rows[i].actCoeff->text().toStdString()};
    return sheet;
}

void fMain::writeSheet(const UnifacSheet& sheet)
{
    for (int i = 0; i < rowCount; ++i) {
        if (m_rows[i].moleFract->text().toStdString() != sheet.rows[i].moleFraction)
            m_rows[i].moleFract->setText(fromStd(sheet.rows[i].moleFraction));
        m_rows[i].actCoeff->setText(fromStd(sheet.rows[i].actCoeff));
    }
}

void fMain::showTemperatureMessage()
{
    services::ui().message(temperatureMessage, errorTitle, services::Ui::Icon::Exclamation);
    m_temp->setFocus();
    m_temp->setSelection(0, 6);
}

void fMain::showComponentMessage(int row)
{
    services::ui().message(componentMessage, errorTitle, services::Ui::Icon::Exclamation);
    m_rows[row].component->setFocus();
}

void fMain::calculate()
{
    if (m_mode != 1) {
        runDiagram(m_mode == 2 ? widgets::UnifacMode::Pxy : widgets::UnifacMode::Txy);
        return;
    }
    UnifacSheet sheet = readSheet();
    const CalculateOutcome outcome = calculateActivity(sheet);
    switch (outcome.stop) {
    case CalculateOutcome::Stop::Temperature:
        showTemperatureMessage();
        return;
    case CalculateOutcome::Stop::Duplicate:
        showComponentMessage(outcome.row);
        return;
    case CalculateOutcome::Stop::Fraction:
        services::ui().message(fractionMessage, errorTitle, services::Ui::Icon::Exclamation);
        m_rows[outcome.row].moleFract->setFocus();
        m_rows[outcome.row].moleFract->selectAll();
        return;
    case CalculateOutcome::Stop::Calculated:
        writeSheet(sheet);
        return;
    }
}

void fMain::runDiagram(widgets::UnifacMode mode)
{
    UnifacRunForm form;
    form.sheet = readSheet();
    form.temperatureUnit = m_tempUnits->currentText().toStdString();
    form.pressureText = m_pressure->text().toStdString();
    form.pressureUnit = m_pressureUnits->currentText().toStdString();
    // The report is shown with this window closed; a refused or failed run leaves it open.
    const auto close = [this] { widgets::WindowRegistry::instance().unload(this); };
    const UnifacRunOutcome outcome = mode == widgets::UnifacMode::Pxy ? unifac::calpxyunifac(form, m_services, close)
                                                                       : unifac::caltxyunifac(form, m_services, close);
    if (outcome.stop == UnifacRunOutcome::Stop::Temperature)
        showTemperatureMessage();
    else if (outcome.stop == UnifacRunOutcome::Stop::Component)
        showComponentMessage(outcome.row);
}

void fMain::graphplottingPXY(const std::string& argument)
{
    widgets::plotDiagram(services::VleDiagram::Pxy, argument, lastFirstComponentName());
}

void fMain::graphplottingTXY(const std::string& argument)
{
    widgets::plotDiagram(services::VleDiagram::UnifacTxy, argument, lastFirstComponentName());
}

void fMain::copyToClipboard()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(fromStd(clipboardText(readSheet())));
}

void fMain::defineComponent()
{
    if (runComponentWizard(this))
        for (const Row& row : m_rows)
            row.component->addItem(fromStd(componentList().ComponentNameAt(componentList().ComponentCount())));
}

void fMain::openDatabase()
{
    fDatabase editor(this);
    editor.Form_Load();
    services::ui().showModal(editor);
    LoadComponentLists();
    ClearForm();
}

void fMain::exitWindow()
{
    widgets::WindowRegistry::instance().unload(this);
    widgets::setFrameToolbarVisible(true);
}

void fMain::setModeLayout(const char* heading)
{
    m_labels[6]->setText(QString::fromUtf8(heading));
    m_labels[4]->hide();
    m_labels[3]->hide();
    m_frame2->show();
    for (int i = 0; i < rowCount; ++i) {
        const bool shown = i < 2;
        m_rows[i].moleFract->hide();
        m_rows[i].actCoeff->hide();
        m_rows[i].component->setVisible(shown);
        m_rows[i].number->setVisible(shown);
    }
}

float fMain::PxyUnifacsetting()
{
    m_mode = 2;
    setModeLayout(" p-x-y(UnifacCalculator)");
    return 1.0f;
}

float fMain::TxyUnifacsetting()
{
    m_mode = 3;
    setModeLayout(" T-x-y(UnifacCalculator)");
    m_temp->setText(QStringLiteral("10"));
    m_labels[1]->setText(QStringLiteral("Pressure"));
    widgets::announceBy(*m_labels[1], *m_pressure);
    m_pressure->show();
    m_pressureUnits->show();
    m_temp->hide();
    m_tempUnits->hide();
    return 1.0f;
}

} // namespace calvex::unifac
