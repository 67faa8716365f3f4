#include "widgets/inputabcd.h"

#include "widgets/spokennames.h"
#include "widgets/textfit.h"
#include "widgets/windowplacement.h"

#include <QLabel>
#include <QLineEdit>

namespace calvex::widgets {
namespace {

constexpr double dialogWidth = 9000;
constexpr double dialogHeight = 3480;
constexpr double rowHeight = 315;
constexpr double letterWidth = 300;
constexpr double boxWidth = 2100;

} // namespace

InputABCD::InputABCD(QWidget* parent) : FieldDialog(dialogWidth, dialogHeight, parent)
{
    setWindowTitle(QStringLiteral("Input Box"));

    addLabel(QStringLiteral("Heat capacity Equation used is "), {240, 120, dialogWidth - 480, 300});
    QLabel* equation = addLabel(QStringLiteral("Cp = A + B*T +C*(T^2) +D*(T^3)    where Cp is obtained in J/(mol-K) "
                                               "and   T is in Kelvin"),
                                {240, 480, dialogWidth - 480, 600});
    equation->setWordWrap(true);
    addLabel(QStringLiteral("Pleae Give Constants A,B,C,D"), {240, 1200, dialogWidth - 480, 300});

    const QString letters[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    for (int i = 0; i < 4; ++i) {
        const double left = i % 2 == 0 ? 1500 : 5040;
        const double top = i < 2 ? 1680 : 2160;
        QLabel* caption = addLabel(letters[i], {left, top, letterWidth, rowHeight});
        announceBy(*caption, *addBox(services::KeyFilter::MinusAnywhere, {left + letterWidth + 60, top, boxWidth, rowHeight}));
    }
    addConfirmButton(QStringLiteral("Click"), 2760);
    growWithText(*this);
    Form_Load();
}

void InputABCD::Form_Load() { placeOnScreen(*this); }

void InputABCD::Command1_Click() { hide(); }

} // namespace calvex::widgets
