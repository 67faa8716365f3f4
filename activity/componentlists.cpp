#include "activity/componentlists.h"

#include "activity/binarycomponents.h"
#include "pure/componentlistbox.h"
#include "pure/purewindowconfig.h"
#include "services/ui.h"
#include "widgets/controlevents.h"
#include "widgets/controlstyle.h"
#include "widgets/spokennames.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>

namespace calvex::activity {
namespace {

constexpr double listWidthTwips = 3000;

class NotListedWatcher : public QObject {
public:
    NotListedWatcher(pure::PureWindowServices& services, QComboBox& list, int index)
        : QObject(&list), m_services(services), m_list(list), m_index(index)
    {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_list || !widgets::isLeavingControl(*event, *m_list.window()))
            return false;
        // The dialog takes the focus itself; that must not open it again.
        if (m_showing || m_list.currentText() != QLatin1String(pure::notListed))
            return false;
        if (services::ModalDialog* dialog = m_services.dialog(constantsDialogName(m_index))) {
            m_showing = true;
            services::ui().showModal(*dialog);
            m_showing = false;
        }
        return false;
    }

private:
    pure::PureWindowServices& m_services;
    QComboBox& m_list;
    int m_index;
    bool m_showing = false;
};

class KeySwallower : public QObject {
public:
    explicit KeySwallower(QComboBox& list) : QObject(&list) { list.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        return !key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
    }
};

} // namespace

std::array<QComboBox*, 2> addComponentFrames(QWidget& window, QBoxLayout& layout, const QFont& captionFont)
{
    std::array<QComboBox*, 2> lists{};
    auto* frames = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* frame = new QGroupBox(i == 0 ? QStringLiteral("Component 1") : QStringLiteral("Component2"), &window);
        frame->setObjectName(QStringLiteral("Frame0_%1").arg(i));
        frame->setFont(captionFont);
        auto* row = new QHBoxLayout(frame);
        auto* list = new QComboBox(frame);
        list->setObjectName(QStringLiteral("Combo2_%1").arg(i));
        list->setFont(widgets::boxFont());
        list->setMinimumWidth(widgets::widthFromTwips(window, listWidthTwips));
        list->setMaxVisibleItems(20);
        // Both frames caption their list alike; the frame's title tells them apart.
        auto* compound = widgets::newSpokenCaption(QStringLiteral("Compound"),
                                                    QStringLiteral("Compound, ") + frame->title(), *list, frame);
        compound->setFont(widgets::boxFont());
        row->addWidget(compound);
        row->addWidget(list, 1);
        frames->addWidget(frame);
        lists[static_cast<std::size_t>(i)] = list;
    }
    layout.addLayout(frames);
    return lists;
}

bool loadComponentLists(pure::PureWindowServices& services, const std::array<QComboBox*, 2>& lists)
{
    for (QComboBox* list : lists) {
        const pure::ComponentList components = services.listComponents();
        if (components.ok())
            pure::fillComponentList(*list, components);
        if (!components.ok() || list->count() == 0) {
            services::ui().message("error in loading data");
            return false;
        }
        list->setCurrentIndex(0);
    }
    return true;
}

void showDialogsOnLeavingNotListed(pure::PureWindowServices& services, const std::array<QComboBox*, 2>& lists)
{
    for (int i = 0; i < 2; ++i)
        new NotListedWatcher(services, *lists[static_cast<std::size_t>(i)], i);
}

ComponentChoice componentChoice(const QComboBox& list, bool listed)
{
    ComponentChoice choice;
    choice.listed = listed;
    choice.listText = list.currentText().toStdString();
    const QVariant sno = list.currentData();
    if (sno.isValid())
        choice.sno = sno.toInt();
    return choice;
}

void makePickOnly(QComboBox& list) { new KeySwallower(list); }

} // namespace calvex::activity
