#include "activity/parameterwindows.h"

#include "activity/componentlists.h"
#include "pure/purecalculatorwindow.h"
#include "pure/purewindowconfig.h"
#include "services/numbers.h"
#include "services/ui.h"
#include "widgets/colours.h"
#include "widgets/controlstyle.h"
#include "widgets/filteredbox.h"
#include "widgets/optionbuttons.h"
#include "widgets/spokennames.h"
#include "widgets/typedlist.h"
#include "widgets/windowplacement.h"
#include "widgets/windowregistry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace calvex::activity {
namespace {

const QString parametersName = QStringLiteral("ParametersForm1");
const QString datapointsName = QStringLiteral("Datapoints");

// Design sizes in twips.
constexpr double marginTwips = 240;
constexpr double boxWidthTwips = 1300;
constexpr double buttonWidthTwips = 2400;
constexpr double buttonHeightTwips = 480;

QLabel* label(QWidget* parent, const QString& text, const QString& name, const QFont& font)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QStringLiteral("Command1"));
    b->setFont(widgets::labelFont());
    b->setMinimumSize(widgets::sizeFromTwips(*parent, buttonWidthTwips, buttonHeightTwips));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* hiddenBox(QWidget* parent, const QString& name, const QString& text)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->hide();
    return box;
}

} // namespace

ParametersForm1::ParametersForm1(pure::PureWindowServices* services, QWidget* parent)
    : QWidget(parent),
      m_ownServices(services ? nullptr : pure::programWindowServices()),
      m_services(services ? *services : *m_ownServices)
{
    setObjectName(parametersName);
    setWindowTitle(QStringLiteral("Form1"));
    buildControls();
    Form_Load();
}

ParametersForm1::~ParametersForm1() = default;

void ParametersForm1::buildControls()
{
    auto* outer = new QVBoxLayout(this);
    const int margin = widgets::widthFromTwips(*this, marginTwips);
    outer->setContentsMargins(margin, margin / 2, margin, margin);
    QLabel* heading = label(this, QString(16, ' ') + "Vle(Parameter Calculator)" + QString(13, ' '),
                            QStringLiteral("Label1"), widgets::labelFont(14));
    heading->setAlignment(Qt::AlignCenter);
    widgets::setTextColour(*heading, widgets::headingRed());
    outer->addWidget(heading);

    m_lists = addComponentFrames(*this, *outer, widgets::boxFont());
    for (int i = 0; i < 2; ++i) {
        makePickOnly(*m_lists[i]);
        connect(m_lists[i], &QComboBox::currentIndexChanged, this, [this, i] { Combo2_Click(i); });
        m_data[static_cast<std::size_t>(i)] = hiddenBox(this, QStringLiteral("Data_%1").arg(i), QStringLiteral("1"));
    }
    showDialogsOnLeavingNotListed(m_services, m_lists);

    auto* points = new QHBoxLayout;
    QLabel* pointsCaption =
        label(this, QStringLiteral("Select No Of Data Points"), QStringLiteral("Label2"), widgets::boxFont());
    points->addWidget(pointsCaption);
    m_combo3 = new QComboBox(this);
    m_combo3->setObjectName(QStringLiteral("Combo3"));
    m_combo3->setFont(widgets::boxFont());
    widgets::makeTypedList(*m_combo3);
    widgets::announceBy(*pointsCaption, *m_combo3);
    for (int n = 2; n <= maxDataPoints; ++n)
        m_combo3->addItem(QString::number(n));
    m_combo3->setCurrentText(QStringLiteral("2"));
    points->addWidget(m_combo3);
    points->addStretch(1);
    outer->addLayout(points);

    m_text1Optionno = hiddenBox(this, QStringLiteral("Text1_optionno"), QStringLiteral("2"));
    m_text2Optionno = hiddenBox(this, QStringLiteral("Text2_optionno"), QStringLiteral("1"));
    const auto optionFrame = [this, outer](const QString& title, const QString& name, std::initializer_list<int> numbers) {
        auto* frame = new QGroupBox(title, this);
        frame->setObjectName(name);
        frame->setFont(widgets::labelFont());
        auto* column = new QVBoxLayout(frame);
        auto* group = new QButtonGroup(frame);
        for (const int number : numbers) {
            static const char* const captions[] = {"Van-Laar", "Peng Robinson", "Redlick KWong", "Soave Redlick Kwong",
                                                   "Margules"};
            auto* option = new QRadioButton(QString::fromLatin1(captions[number - 1]), frame);
            option->setObjectName(QStringLiteral("Option%1").arg(number));
            option->setFont(widgets::labelFont());
            group->addButton(option, number);
            column->addWidget(option);
            m_options[static_cast<std::size_t>(number - 1)] = option;
        }
        widgets::onOptionChecked(*group, [this](int number) { Option_Click(number); });
        outer->addWidget(frame);
    };
    optionFrame(QStringLiteral("Select Equation you want to use"), QStringLiteral("Frame2"), {2, 3, 4});
    optionFrame(QStringLiteral("Select Equation"), QStringLiteral("Frame3"), {1, 5});
    // The equation in force when the window opens is Peng-Robinson; the buttons say so.
    Option(2)->setChecked(true);
    Option(1)->setChecked(true);

    m_command1 = button(this, QStringLiteral("Add Data"));
    connect(m_command1, &QPushButton::clicked, this, &ParametersForm1::Command1_Click);
    outer->addWidget(m_command1, 0, Qt::AlignHCenter);
}

void ParametersForm1::Form_Load() { loadComponentLists(m_services, m_lists); }

void ParametersForm1::Combo2_Click(int index)
{
    const bool notListed = Combo2(index)->currentText() == QLatin1String(pure::notListed);
    Data(index)->setText(notListed ? QStringLiteral("0") : QStringLiteral("1"));
}

void ParametersForm1::Option_Click(int number)
{
    if (number == 1 || number == 5)
        m_text2Optionno->setText(number == 1 ? QStringLiteral("1") : QStringLiteral("2"));
    else
        m_text1Optionno->setText(QString::number(number));
}

void ParametersForm1::Command1_Click()
{
    auto& registry = widgets::WindowRegistry::instance();
    auto* data = registry.loadAs<Datapoints>(datapointsName);
    if (!data)
        return;
    // A count the calculation would refuse shows no rows to fill in for it.
    data->showRows(dataPointCount(m_combo3->currentText().toStdString()).value_or(0));
    // One press shows at most one dialog: component 2's only once component 1 is complete.
    for (int i = 0; i < 2; ++i) {
        if (Data(i)->text() != QLatin1String("0"))
            continue;
        services::ModalDialog* dialog = m_services.dialog(constantsDialogName(i));
        if (!dialog)
            continue;
        bool missing = false;
        for (int box = 1; box <= 4; ++box)
            missing = missing || services::val(dialog->fieldText(box)) == 0;
        if (missing) {
            services::ui().showModal(*dialog);
            break;
        }
    }
    registry.show(datapointsName);
}

void ParametersForm1::readInto(FitForm& form) const
{
    for (int i = 0; i < 2; ++i)
        form.components[static_cast<std::size_t>(i)] =
            componentChoice(*Combo2(i), services::val(Data(i)->text().toStdString()) == 1);
    form.pointCount = m_combo3->currentText().toStdString();
    form.equation = m_text1Optionno->text().toStdString();
    form.model = m_text2Optionno->text().toStdString();
}

Datapoints::Datapoints(QWidget* parent) : QWidget(parent)
{
    setObjectName(datapointsName);
    setWindowTitle(QStringLiteral(" Data Entry Form "));
    auto* outer = new QVBoxLayout(this);
    const int margin = widgets::widthFromTwips(*this, marginTwips);
    outer->setContentsMargins(margin, margin / 2, margin, margin);
    QLabel* heading = label(this, QStringLiteral("Data Entry Form"), QStringLiteral("Label1"), widgets::labelFont(14));
    heading->setAlignment(Qt::AlignCenter);
    widgets::setTextColour(*heading, widgets::headingRed());
    outer->addWidget(heading);

    auto* body = new QHBoxLayout;
    auto* table = new QGridLayout;
    const char* const headings[] = {"S.No.", "Temperature", "x1", "y1", "Pressure"};
    for (int column = 0; column < 5; ++column)
        table->addWidget(label(this, QString::fromLatin1(headings[column]), QStringLiteral("Label%1").arg(column + 2),
                               widgets::labelFont()),
                         0, column, Qt::AlignHCenter);
    const char* const names[] = {"Temp", "x1", "y1", "Press"};
    const services::KeyFilter filters[] = {services::KeyFilter::SignedNumber, services::KeyFilter::Fraction,
                                           services::KeyFilter::Fraction, services::KeyFilter::UnsignedNumber};
    for (int row = 0; row < maxDataPoints; ++row) {
        auto& boxes = m_boxes[static_cast<std::size_t>(row)];
        m_labels[static_cast<std::size_t>(row)] =
            label(this, QString::number(row + 1), QStringLiteral("Label6_%1").arg(row), widgets::boxFont());
        table->addWidget(m_labels[static_cast<std::size_t>(row)], row + 1, 0, Qt::AlignHCenter);
        for (int column = 0; column < 4; ++column) {
            auto* box = new QLineEdit(this);
            box->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(names[column])).arg(row));
            box->setFont(widgets::boxFont());
            box->setMinimumWidth(widgets::widthFromTwips(*this, boxWidthTwips));
            widgets::setKeyFilter(*box, filters[column]);
            // A cell is told by its column's heading and its row.
            widgets::announceAs(*box, QStringLiteral("%1, point %2").arg(QString::fromLatin1(headings[column + 1])).arg(row + 1));
            table->addWidget(box, row + 1, column + 1);
            boxes[static_cast<std::size_t>(column)] = box;
        }
    }
    // Hidden rows give their height to the space below the table, not between its rows.
    table->setRowStretch(maxDataPoints + 1, 1);
    body->addLayout(table);

    auto* units = new QVBoxLayout;
    const auto unitList = [this, units](const QString& caption, const QString& name, const QStringList& entries,
                                        const QString& initial) {
        QLabel* listCaption = label(this, caption, name + QStringLiteral("_Label"), widgets::labelFont());
        units->addWidget(listCaption);
        auto* list = new QComboBox(this);
        widgets::announceBy(*listCaption, *list);
        list->setObjectName(name);
        list->setFont(widgets::boxFont());
        list->addItems(entries);
        list->setCurrentText(initial);
        makePickOnly(*list);
        units->addWidget(list);
        return list;
    };
    m_temperatureUnits = unitList(QStringLiteral("Unit  Temperature"), QStringLiteral("Combo1_Unit_T"),
                                  {"celsius", "kelvin", "fahrenheit"}, QStringLiteral("kelvin"));
    m_pressureUnits = unitList(QStringLiteral("Unit Pressure"), QStringLiteral("Combo1_Unit_p"),
                               {"atm", "bar", "kpa", "mm Hg", "Mpa", "pa", "psia"}, QStringLiteral("bar"));
    units->addStretch(1);
    m_command1 = button(this, QStringLiteral("Calculate"));
    connect(m_command1, &QPushButton::clicked, this, &Datapoints::Command1_Click);
    units->addWidget(m_command1);
    body->addLayout(units);
    outer->addLayout(body);
}

void Datapoints::showRows(int n)
{
    for (int row = 0; row < maxDataPoints; ++row) {
        const bool visible = row < n;
        Label6(row)->setVisible(visible);
        for (QLineEdit* box : m_boxes[static_cast<std::size_t>(row)])
            box->setVisible(visible);
    }
}

void Datapoints::Command1_Click()
{
    auto& registry = widgets::WindowRegistry::instance();
    auto* parameters = registry.findAs<ParametersForm1>(parametersName);
    if (!parameters) {
        services::ui().message("The parameter window is closed: open the parameter calculator again");
        return;
    }
    FitForm form;
    parameters->readInto(form);
    for (int row = 0; row < maxDataPoints; ++row)
        form.rows[static_cast<std::size_t>(row)] = {Temp(row)->text().toStdString(), x1(row)->text().toStdString(),
                                                    y1(row)->text().toStdString(), Press(row)->text().toStdString()};
    form.Tunit = m_temperatureUnits->currentText().toStdString();
    form.Punit = m_pressureUnits->currentText().toStdString();
    switch (calculateFit(parameters->services(), form)) {
    case FitEnd::ShowParameters: registry.show(parametersName); break;
    case FitEnd::ShowData: registry.show(datapointsName); break;
    case FitEnd::Shown:
    case FitEnd::Ended: break;
    }
}

void registerParameterWindows()
{
    auto& registry = widgets::WindowRegistry::instance();
    registry.registerWindow(parametersName, [] { return new ParametersForm1; });
    registry.registerWindow(datapointsName, [] { return new Datapoints; });
}

} // namespace calvex::activity
