#include "widgets/spokennames.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace calvex::widgets {
namespace {

// A caption holding '&' is no buddy, or its '&' would turn into a shortcut mark.
bool tieCaption(QLabel& caption, QWidget& box)
{
    const bool buddy = !caption.text().contains(QLatin1Char('&'));
    if (buddy)
        caption.setBuddy(&box);
    return buddy;
}

// A reader reads the text box of a list that takes typing once its entry changed, and that box
// has no caption beside it: it is named as the list's caption is read.
void nameTypedText(const QLabel& caption, QWidget& box)
{
    auto* list = qobject_cast<QComboBox*>(&box);
    if (list && list->lineEdit())
        list->lineEdit()->setAccessibleName(caption.accessibleName().isEmpty() ? caption.text().simplified()
                                                                               : caption.accessibleName());
}

} // namespace

void announceBy(QLabel& caption, QWidget& box, const QString& spoken)
{
    const bool buddy = tieCaption(caption, box);
    // Each name set tells a listening screen reader; a box is named only where the caption
    // it is labelled by does not name it.
    if (!spoken.isEmpty())
        caption.setAccessibleName(spoken);
    else if (!buddy || qobject_cast<QAbstractItemView*>(&box))
        box.setAccessibleName(caption.text().simplified());
    nameTypedText(caption, box);
}

QLabel* newSpokenCaption(const QString& text, const QString& spoken, QWidget& box, QWidget* parent)
{
    auto* caption = new QLabel(parent);
    // A label's text tells a screen reader of a new name only while the label has none of its own.
    caption->setAccessibleName(spoken);
    caption->setText(text);
    tieCaption(*caption, box);
    nameTypedText(*caption, box);
    return caption;
}

void announceAs(QWidget& box, const QString& name)
{
    box.setAccessibleName(name);
    // AT-SPI names a combo box by its entry and reads only the label it is labelled by; a box
    // without a caption gets one that is never shown.
    if (qobject_cast<QComboBox*>(&box) && box.parentWidget()) {
        auto* label = new QLabel(name, box.parentWidget());
        label->setObjectName(box.objectName() + QStringLiteral("_Name"));
        label->hide();
        label->setBuddy(&box);
    }
}

void nameToolbarButtons(QToolBar& toolbar)
{
    for (QAction* action : toolbar.actions()) {
        auto* button = qobject_cast<QToolButton*>(toolbar.widgetForAction(action));
        // A button without a tooltip is named by its key.
        if (button && action->text().isEmpty())
            button->setAccessibleName(action->toolTip().isEmpty() ? action->objectName() : action->toolTip());
    }
}

} // namespace calvex::widgets
