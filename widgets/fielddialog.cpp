#include "widgets/fielddialog.h"

#include "services/numbers.h"
#include "widgets/filteredbox.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace calvex::widgets {

namespace {

constexpr double confirmWidthTwips = 1455;
constexpr double confirmHeightTwips = 420;

} // namespace

FieldDialog::FieldDialog(double widthTwips, double heightTwips, QWidget* parent)
    : QDialog(parent), m_widthTwips(widthTwips)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    fixInnerSizeInTwips(*this, widthTwips, heightTwips);
}

std::string FieldDialog::dialogName() const { return objectName().toStdString(); }

int FieldDialog::fieldCount() const { return static_cast<int>(m_boxes.size()); }

QLineEdit* FieldDialog::Text1(int index) const
{
    if (index < 0 || index >= fieldCount())
        return nullptr;
    return m_boxes[static_cast<std::size_t>(index)];
}

std::string FieldDialog::fieldText(int index) const
{
    const QLineEdit* box = Text1(index);
    return box ? box->text().toStdString() : std::string();
}

double FieldDialog::fieldValue(int index) const { return services::val(fieldText(index)); }

void FieldDialog::typeFieldText(int index, const std::string& text)
{
    QLineEdit* box = Text1(index);
    if (!box)
        return;
    Text1_GotFocus(index);
    box->selectAll();
    const auto& filter = m_filters[static_cast<std::size_t>(index)];
    if (filter)
        typeThroughFilter(*box, *filter, text);
    else
        box->insert(QString::fromStdString(text));
}

void FieldDialog::confirm() { Command1_Click(); }

void FieldDialog::runModal() { exec(); }

void FieldDialog::Text1_GotFocus(int) {}

QLineEdit* FieldDialog::addBox(std::optional<services::KeyFilter> filter, const TwipsRect& rect)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("Text1_%1").arg(m_boxes.size()));
    placeInTwips(*box, rect);
    if (filter)
        setKeyFilter(*box, *filter);
    box->installEventFilter(this);
    m_boxes.push_back(box);
    m_filters.push_back(filter);
    return box;
}

QLabel* FieldDialog::addLabel(const QString& text, const TwipsRect& rect)
{
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    placeInTwips(*label, rect);
    return label;
}

void FieldDialog::addConfirmButton(const QString& caption, double topTwips)
{
    const TwipsRect rect{(m_widthTwips - confirmWidthTwips) / 2, topTwips, confirmWidthTwips, confirmHeightTwips};
    m_confirm = new QPushButton(caption, this);
    m_confirm->setObjectName(QStringLiteral("Command1"));
    m_confirm->setAutoDefault(false);
    placeInTwips(*m_confirm, rect);
    connect(m_confirm, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

bool FieldDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Coming back from another window gives the box its focus again without the user entering it.
    if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        for (int i = 0; i < fieldCount(); ++i)
            if (watched == m_boxes[static_cast<std::size_t>(i)])
                Text1_GotFocus(i);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace calvex::widgets
