#include "mixture/windows/componentselectionwindow.h"

#include "mixture/windows/mixtureinputwindow.h"
#include "mixture/windows/mixturesweep.h"
#include "pure/componentlistbox.h"
#include "pure/purecalculatorwindow.h"
#include "services/ui.h"
#include "shell/windowswitching.h"
#include "widgets/chartwindow.h"
#include "widgets/controlevents.h"
#include "widgets/controlstyle.h"
#include "widgets/spokennames.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace calvex::mixture {
namespace {

using widgets::boxFont;
using widgets::labelFont;

// Design sizes in twips.
constexpr double marginTwips = 240;
constexpr double frameWidthTwips = 4200;
constexpr double buttonWidthTwips = 4200;
constexpr int listContentsLength = 14;
constexpr double buttonHeightTwips = 495;

// Only the first frame has a blank before its number.
QString frameCaption(int slot)
{
    return slot == 0 ? QStringLiteral("Component 1") : QStringLiteral("Component%1").arg(slot + 1);
}

} // namespace

ComponentSelectionWindow::ComponentSelectionWindow(MixtureWindowKind kind, pure::PureWindowServices* services,
                                                   QWidget* parent)
    : QWidget(parent),
      m_ownServices(services ? nullptr : pure::programWindowServices()),
      m_calculator(kind, services ? *services : *m_ownServices)
{
    setObjectName(QString::fromStdString(config().selectionName));
    setWindowTitle(QString::fromStdString(config().selectionCaption));
    buildControls();
    m_calculator.setInputWindowShower([name = QString::fromStdString(config().inputName)] {
        widgets::WindowRegistry::instance().show(name);
    });
}

ComponentSelectionWindow::~ComponentSelectionWindow() = default;

void ComponentSelectionWindow::buildControls()
{
    auto* outer = new QVBoxLayout(this);
    const int margin = widgets::widthFromTwips(*this, marginTwips);
    outer->setContentsMargins(margin, margin, margin, margin);
    auto* grid = new QGridLayout;
    grid->setSpacing(margin / 2);
    for (int i = 0; i < maxComponents; ++i) {
        Slot& slot = m_slots[i];
        slot.frame = new QGroupBox(frameCaption(i), this);
        slot.frame->setObjectName(QStringLiteral("Frame0_%1").arg(i));
        slot.frame->setFont(labelFont());
        slot.frame->setMinimumWidth(widgets::widthFromTwips(*this, frameWidthTwips));
        auto* inner = new QGridLayout(slot.frame);
        slot.list = new QComboBox(slot.frame);
        slot.list->setObjectName(QStringLiteral("Combo2_%1").arg(i));
        slot.list->setFont(boxFont());
        slot.list->setMaxVisibleItems(20);
        // The longest database names would widen the frames past the frame window; the list
        // keeps the frame's width; its drop-down still opens wide enough for the whole name.
        slot.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        slot.list->setMinimumContentsLength(listContentsLength);
        slot.list->installEventFilter(this);
        slot.fraction = new QLineEdit(slot.frame);
        slot.fraction->setObjectName(QStringLiteral("Text1_MolFraction_%1").arg(i));
        slot.fraction->setFont(boxFont());
        slot.fraction->installEventFilter(this);
        // Every frame has the same two captions; the frame's title tells them apart.
        const QString inFrame = QStringLiteral(", ") + slot.frame->title();
        auto* compound = widgets::newSpokenCaption(QStringLiteral("Compound"), QStringLiteral("Compound") + inFrame,
                                                    *slot.list, slot.frame);
        compound->setFont(labelFont(8));
        auto* fractionLabel = widgets::newSpokenCaption(
            QStringLiteral("Enter Mole Fraction "), QStringLiteral("Enter Mole Fraction") + inFrame, *slot.fraction, slot.frame);
        fractionLabel->setFont(labelFont(8));
        inner->addWidget(compound, 0, 0);
        inner->addWidget(slot.list, 0, 1);
        inner->addWidget(fractionLabel, 1, 0);
        inner->addWidget(slot.fraction, 1, 1);
        inner->setColumnStretch(1, 1);
        connect(slot.list, &QComboBox::currentIndexChanged, this, [this, i] { Combo2_Click(i); });
        connect(slot.fraction, &QLineEdit::textChanged, this, [this, i] { Text1_MolFraction_Change(i); });
        slot.frame->hide();
        grid->addWidget(slot.frame, i / 2, i % 2);
    }
    outer->addLayout(grid);
    m_command = new QPushButton(QString::fromStdString(config().buttonCaption), this);
    m_command->setObjectName(QStringLiteral("Command1"));
    m_command->setFont(labelFont());
    m_command->setMinimumSize(widgets::sizeFromTwips(*this, buttonWidthTwips, buttonHeightTwips));
    m_command->setAutoDefault(false);
    connect(m_command, &QPushButton::clicked, this, &ComponentSelectionWindow::Command1_Click);
    outer->addWidget(m_command, 0, Qt::AlignHCenter);
    outer->addStretch();
}

QGroupBox* ComponentSelectionWindow::Frame0(int index) const
{
    return index >= 0 && index < maxComponents ? m_slots[index].frame : nullptr;
}

QComboBox* ComponentSelectionWindow::Combo2(int index) const
{
    return index >= 0 && index < maxComponents ? m_slots[index].list : nullptr;
}

QLineEdit* ComponentSelectionWindow::Text1_MolFraction(int index) const
{
    return index >= 0 && index < maxComponents ? m_slots[index].fraction : nullptr;
}

bool ComponentSelectionWindow::fillList(int slot, const pure::ComponentList& components)
{
    QComboBox* list = Combo2(slot);
    if (!list)
        return false;
    {
        // The click event comes once, for the first entry, as the window chooses it.
        const QSignalBlocker blocker(list);
        list->clear();
        pure::fillComponentList(*list, components);
        if (list->count() == 0)
            return false;
        list->setCurrentIndex(0);
    }
    Combo2_Click(slot);
    m_slots[slot].frame->show();
    return true;
}

void ComponentSelectionWindow::hideFramesFrom(int first)
{
    for (int i = std::max(first, 0); i < maxComponents; ++i)
        m_slots[i].frame->hide();
}

void ComponentSelectionWindow::fitFrames()
{
    adjustSize();
    QWidget* outer = widgets::WindowRegistry::outerWindow(this);
    if (outer == this)
        return;
    outer->adjustSize();
    // Inside the frame, the whole window stays in view where the frame has the room.
    if (const QWidget* area = outer->parentWidget()) {
        const int x = std::max(0, std::min(outer->x(), area->width() - outer->width()));
        const int y = std::max(0, std::min(outer->y(), area->height() - outer->height()));
        outer->move(x, y);
    }
}

void ComponentSelectionWindow::Combo2_Click(int Index)
{
    if (QComboBox* list = Combo2(Index))
        m_calculator.Combo2_Click(Index, list->currentText().toStdString());
}

void ComponentSelectionWindow::Combo2_KeyPress(int, int& KeyAscii)
{
    if (!config().componentKeysReachList)
        KeyAscii = 0;
}

void ComponentSelectionWindow::Combo2_LostFocus(int Index)
{
    // The dialog it shows takes the focus itself; that must not run the handler again.
    QComboBox* list = Combo2(Index);
    if (!list || m_inLostFocus)
        return;
    m_inLostFocus = true;
    m_calculator.Combo2_LostFocus(Index, list->currentText().toStdString());
    m_inLostFocus = false;
}

void ComponentSelectionWindow::Text1_MolFraction_KeyPress(int Index, int& KeyAscii)
{
    QLineEdit* box = Text1_MolFraction(Index);
    if (box && !MolFractions::keyAccepted(box->text().toStdString(), static_cast<char>(KeyAscii)))
        KeyAscii = 0;
}

void ComponentSelectionWindow::Text1_MolFraction_Change(int Index)
{
    std::array<std::string, maxComponents> boxes;
    for (int i = 0; i < maxComponents; ++i)
        boxes[static_cast<std::size_t>(i)] = m_slots[i].fraction->text().toStdString();
    const QString count = inputWindow() ? inputWindow()->Combo3()->currentText() : QString();
    const MolFractions::Change change = m_calculator.fractions().changed(Index, count.toStdString(), boxes);
    if (change.message)
        services::ui().message(*change.message);
    if (change.lastBoxText)
        Text1_MolFraction(change.lastBox)->setText(QString::fromStdString(*change.lastBoxText));
}

MixtureInputWindow* ComponentSelectionWindow::inputWindow() const
{
    return widgets::WindowRegistry::instance().loadAs<MixtureInputWindow>(QString::fromStdString(config().inputName));
}

SelectionReading ComponentSelectionWindow::readControls() const
{
    SelectionReading reading;
    if (MixtureInputWindow* input = inputWindow()) {
        if (input->Text1_Temperature()) {
            reading.temperatureText = input->Text1_Temperature()->text().toStdString();
            reading.temperatureUnit = input->Combo1_Unit_T()->currentText().toStdString();
        }
        if (input->Text1_Pressure()) {
            reading.pressureText = input->Text1_Pressure()->text().toStdString();
            reading.pressureUnit = input->Combo1_Unit_p()->currentText().toStdString();
        }
        reading.countText = input->Combo3()->currentText().toStdString();
        reading.optionnoText = input->Text1_optionno()->text().toStdString();
    }
    for (int i = 0; i < maxComponents; ++i) {
        SlotReading& slot = reading.components[static_cast<std::size_t>(i)];
        slot.listText = m_slots[i].list->currentText().toStdString();
        const QVariant sno = m_slots[i].list->currentData();
        if (sno.isValid())
            slot.sno = sno.toInt();
        slot.molFraction = m_slots[i].fraction->text().toStdString();
    }
    return reading;
}

void ComponentSelectionWindow::Command1_Click()
{
    const MixtureRunFunction run = mixtureRunFor(config().kind);
    if (!run) {
        shell::noteNotAvailable();
        return;
    }
    m_calculator.calculate(readControls(), run);
}

void ComponentSelectionWindow::graphplotting(const std::string& argument)
{
    // A sweep that failed has said so; the chart of an earlier plot is not shown as its result.
    const std::string file = m_calculator.writeSweep(argument);
    if (file.empty())
        return;
    plot(file);
    widgets::showChartWindow();
}

void ComponentSelectionWindow::plot(const std::string& datafilename)
{
    if (const std::optional<services::SweepPlot> sweepPlot = sweepPlotOf(config().kind))
        widgets::plotSweep(*sweepPlot, datafilename);
}

int ComponentSelectionWindow::slotOf(const QObject* control) const
{
    for (int i = 0; i < maxComponents; ++i)
        if (control == m_slots[i].list || control == m_slots[i].fraction)
            return i;
    return -1;
}

bool ComponentSelectionWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int slot = slotOf(watched);
    if (slot < 0)
        return QWidget::eventFilter(watched, event);
    if (watched == m_slots[slot].list && event->type() == QEvent::FocusOut) {
        if (widgets::isLeavingControl(*event, *this))
            Combo2_LostFocus(slot);
        return false;
    }
    const std::optional<int> typed = widgets::typedKeyAscii(*event);
    if (!typed)
        return false;
    int KeyAscii = *typed;
    if (watched == m_slots[slot].list)
        Combo2_KeyPress(slot, KeyAscii);
    else
        Text1_MolFraction_KeyPress(slot, KeyAscii);
    return KeyAscii == 0;
}

} // namespace calvex::mixture
