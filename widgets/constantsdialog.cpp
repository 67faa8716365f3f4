#include "widgets/constantsdialog.h"

#include "services/usercomponentfile.h"
#include "widgets/spokennames.h"
#include "widgets/textfit.h"
#include "widgets/windowplacement.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>

namespace calvex::widgets {
namespace {

constexpr double dialogWidth = 5040;
constexpr double dialogHeight = 3840;
constexpr double rowTop = 720;
constexpr double rowPitch = 480;
constexpr double labelLeft = 240;
constexpr double labelWidth = 2700;
constexpr double boxLeft = 3000;
constexpr double boxWidth = 1800;
constexpr double rowHeight = 315;

} // namespace

ConstantsDialog::ConstantsDialog(int component, QWidget* parent) : FieldDialog(dialogWidth, dialogHeight, parent)
{
    setWindowTitle(QStringLiteral("enter value of Pc Tc and omega"));

    const QString heading = component == 0 ? QStringLiteral(" Compound ") : QStringLiteral("For Component %1").arg(component);
    QLabel* title = addLabel(heading, {labelLeft, 180, dialogWidth - 2 * labelLeft, 400});
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);

    const QString pcLabel = component == 0 ? QStringLiteral("Pc   ( in bar)") : QStringLiteral("Pc(bar)");
    const QString labels[] = {QStringLiteral("compound name"), QStringLiteral("Tc(kelvin)"), pcLabel,
                              QStringLiteral("omega"), QStringLiteral("Normal boiling Point(kelvin)")};
    for (int i = 0; i < 5; ++i) {
        const double top = rowTop + i * rowPitch;
        QLabel* caption = addLabel(labels[i], {labelLeft, top, labelWidth, rowHeight});
        const auto filter = i == NameBox ? std::nullopt : std::optional<services::KeyFilter>(services::KeyFilter::UnsignedNumber);
        QLineEdit* box = addBox(filter, {boxLeft, top, boxWidth, rowHeight});
        announceBy(*caption, *box);
        if (i != NameBox)
            connect(box, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    }
    addConfirmButton(QStringLiteral("Click"), rowTop + 5 * rowPitch + 180);
    growWithText(*this);
    Form_Load();
}

QString ConstantsDialog::instanceName(int component)
{
    return component == 0 ? QStringLiteral("GetPcTcOmega") : QStringLiteral("GetPcTcOmega%1").arg(component);
}

void ConstantsDialog::Form_Load()
{
    m_entriesChanged = false;
    placeOnScreen(*this);
}

void ConstantsDialog::Text1_Change(int index)
{
    if (index >= TcBox && index <= TbBox)
        m_entriesChanged = true;
}

void ConstantsDialog::Text1_GotFocus(int index)
{
    if (index == TcBox)
        dataload();
}

void ConstantsDialog::dataload()
{
    const auto record = services::findUserComponent(fieldText(NameBox));
    if (!record)
        return;
    Text1(TcBox)->setText(QString::fromStdString(record->Tc));
    Text1(PcBox)->setText(QString::fromStdString(record->Pc));
    Text1(OmegaBox)->setText(QString::fromStdString(record->omega));
    Text1(TbBox)->setText(QString::fromStdString(record->Tb));
}

void ConstantsDialog::Command1_Click()
{
    if (m_entriesChanged)
        adddata();
    hide();
}

void ConstantsDialog::adddata()
{
    // A record that cannot be stored is lost without a word: the dialog has nothing to offer instead.
    appendUserComponent(services::UserComponentRecord{fieldText(NameBox), fieldText(TcBox), fieldText(PcBox),
                                            fieldText(OmegaBox), fieldText(TbBox)});
}

} // namespace calvex::widgets
