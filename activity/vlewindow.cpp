#include "activity/vlewindow.h"

#include "activity/componentlists.h"
#include "pure/purecalculatorwindow.h"
#include "pure/purewindowconfig.h"
#include "services/ui.h"
#include "widgets/chartwindow.h"
#include "widgets/colours.h"
#include "widgets/controlstyle.h"
#include "widgets/filteredbox.h"
#include "widgets/spokennames.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace calvex::activity {
namespace {

// Design sizes in twips.
constexpr double windowWidthTwips = 8400;
constexpr double marginTwips = 240;
constexpr double boxWidthTwips = 1500;
constexpr double buttonWidthTwips = 3600;
constexpr double buttonHeightTwips = 480;

int pixels(const QWidget* widget, double twips) { return widgets::widthFromTwips(*widget, twips); }

QString text(const std::string& s) { return QString::fromStdString(s); }

// The first component's name of each window's last reported run outlives the window: the
// viewer's plot buttons load a window the user has closed anew, and its diagram still names the
// component.
std::string& keptFirstName(VleWindowKind kind)
{
    static std::map<VleWindowKind, std::string> names;
    return names[kind];
}

} // namespace

VleWindow::VleWindow(VleWindowKind kind, pure::PureWindowServices* services, QWidget* parent)
    : QWidget(parent),
      m_config(vleWindowConfig(kind)),
      m_ownServices(services ? nullptr : pure::programWindowServices()),
      m_services(services ? *services : *m_ownServices),
      m_run(m_config, m_services, *this)
{
    setObjectName(text(m_config.name));
    setWindowTitle(text(m_config.caption));
    buildControls();
    Form_Load();
}

VleWindow::~VleWindow() = default;

void VleWindow::buildControls()
{
    const bool txy = m_config.run == VleRunKind::Txy;
    auto* outer = new QVBoxLayout(this);
    const int margin = pixels(this, marginTwips);
    outer->setContentsMargins(margin, margin / 2, margin, margin);
    const auto addLabel = [this](const QString& caption, const QString& name) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(name);
        label->setFont(widgets::labelFont());
        return label;
    };

    QLabel* heading = addLabel(text(m_config.heading), QStringLiteral("Label1"));
    heading->setFont(widgets::labelFont(14));
    widgets::setTextColour(*heading, widgets::headingRed());
    heading->setAlignment(Qt::AlignCenter);
    outer->addWidget(heading);
    QLabel* runLabel = addLabel(txy ? QStringLiteral("(T-x-y)") : QStringLiteral("(P-x-y)"), QStringLiteral("Label2"));
    widgets::setTextColour(*runLabel, QColor(0x00, 0x00, 0xc0));
    runLabel->setAlignment(Qt::AlignCenter);
    outer->addWidget(runLabel);

    m_lists = addComponentFrames(*this, *outer, widgets::labelFont());
    for (int i = 0; i < 2; ++i) {
        // The design's own red: short of 4.5:1 on a light box (about 3.9:1), kept there as designed.
        widgets::setTextColour(*m_lists[i], Qt::red, widgets::Shading::KeptOnLight);
        connect(m_lists[i], &QComboBox::currentIndexChanged, this, [this, i] { Combo2_Click(i); });
    }
    showDialogsOnLeavingNotListed(m_services, m_lists);

    auto* state = new QGridLayout;
    state->setHorizontalSpacing(margin / 2);
    m_variableBox = new QLineEdit(this);
    m_variableBox->setObjectName(txy ? QStringLiteral("Text1_Pressure") : QStringLiteral("Text1_Temperature"));
    m_variableBox->setFont(widgets::boxFont());
    m_variableBox->setMinimumWidth(pixels(this, boxWidthTwips));
    widgets::setKeyFilter(*m_variableBox, txy ? services::KeyFilter::UnsignedNumber : services::KeyFilter::SignedNumber);
    m_unitList = new QComboBox(this);
    m_unitList->setObjectName(txy ? QStringLiteral("Combo1_Unit_p") : QStringLiteral("Combo1_Unit_T"));
    m_unitList->setFont(widgets::boxFont());
    m_unitList->setMinimumWidth(pixels(this, boxWidthTwips));
    m_unitList->addItems(txy ? QStringList{"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"}
                             : QStringList{"celsius", "fahrenheit", "kelvin"});
    m_unitList->setCurrentText(txy ? QStringLiteral("bar") : QStringLiteral("kelvin"));
    makePickOnly(*m_unitList);
    QLabel* variableCaption =
        addLabel(txy ? QStringLiteral("Pressure") : QStringLiteral(" Temperature"), QStringLiteral("Label3"));
    QLabel* unitCaption = addLabel(txy ? QStringLiteral("Unit") : QStringLiteral("Unit "), QStringLiteral("Label4"));
    widgets::announceBy(*variableCaption, *m_variableBox);
    widgets::announceBy(*unitCaption, *m_unitList, variableCaption->text().trimmed() + QStringLiteral(" unit"));
    state->addWidget(variableCaption, 0, 0);
    state->addWidget(m_variableBox, 0, 1);
    state->addWidget(unitCaption, 0, 2, Qt::AlignRight);
    state->addWidget(m_unitList, 0, 3);
    state->setColumnStretch(1, 1);
    state->setColumnStretch(3, 1);
    outer->addLayout(state);

    auto* constants = new QGroupBox(text(m_config.constantsHeading), this);
    constants->setObjectName(QStringLiteral("Frame1"));
    constants->setFont(widgets::labelFont());
    auto* grid = new QGridLayout(constants);
    int row = 0;
    for (const ConstantBox& c : m_config.boxes) {
        auto* box = new QLineEdit(constants);
        box->setObjectName(text(c.name));
        box->setFont(widgets::boxFont());
        box->setMinimumWidth(pixels(this, boxWidthTwips));
        widgets::setKeyFilter(*box, services::KeyFilter::SignedNumber);
        m_boxes[c.name] = box;
        QLabel* caption = addLabel(text(c.label), text("Label_" + c.name));
        widgets::announceBy(*caption, *box);
        grid->addWidget(caption, row, 0);
        grid->addWidget(box, row, 1);
        if (!c.unitLabel.empty())
            grid->addWidget(addLabel(text(c.unitLabel), text("Unit_" + c.name)), row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    outer->addWidget(constants);

    m_command1 = new QPushButton(txy ? QStringLiteral("Calculate And Plot T -x-y") : QStringLiteral("Calculate And Plot P -x-y"),
                                 this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setFont(widgets::labelFont());
    m_command1->setMinimumSize(widgets::sizeFromTwips(*this, buttonWidthTwips, buttonHeightTwips));
    m_command1->setAutoDefault(false);
    connect(m_command1, &QPushButton::clicked, this, &VleWindow::Command1_Click);
    outer->addWidget(m_command1, 0, Qt::AlignHCenter);
    setMinimumWidth(pixels(this, windowWidthTwips));

    std::vector<QWidget*> order{m_lists[0], m_lists[1], m_variableBox, m_unitList};
    for (const std::string& name : m_config.focusAfterUnits)
        order.push_back(name == "Command1" ? static_cast<QWidget*>(m_command1) : constantBox(name));
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QLineEdit* VleWindow::constantBox(const std::string& name) const
{
    const auto found = m_boxes.find(name);
    return found == m_boxes.end() ? nullptr : found->second;
}

void VleWindow::Form_Load()
{
    if (loadComponentLists(m_services, m_lists))
        m_lists[0]->setFocus();
}

void VleWindow::Combo2_Click(int Index)
{
    m_listed[static_cast<std::size_t>(Index)] = Combo2(Index)->currentText() == QLatin1String(pure::notListed) ? 0 : 1;
}

VleForm VleWindow::readForm() const
{
    VleForm form;
    for (int i = 0; i < 2; ++i)
        form.components[static_cast<std::size_t>(i)] = componentChoice(*Combo2(i), listed(i) == 1);
    form.variableText = m_variableBox->text().toStdString();
    form.unitText = m_unitList->currentText().toStdString();
    return form;
}

void VleWindow::Command1_Click()
{
    // A refused or failed run has gathered its components but left points1.dat to the last report.
    if (m_run.run(readForm()))
        keptFirstName(m_config.kind) = m_run.firstComponentName();
}

void VleWindow::graphplotting(const std::string& argument)
{
    widgets::plotDiagram(m_config.diagram, argument, keptFirstName(m_config.kind));
}

std::string VleWindow::boxText(const std::string& box) const
{
    const QLineEdit* found = constantBox(box);
    return found ? found->text().toStdString() : std::string();
}

void registerVleWindows()
{
    for (const VleWindowKind kind : vleWindowKinds())
        widgets::WindowRegistry::instance().registerWindow(text(vleWindowConfig(kind).name),
                                                         [kind] { return new VleWindow(kind); });
}

} // namespace calvex::activity
