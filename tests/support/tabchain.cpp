#include "tests/support/tabchain.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>

namespace calvex::testing {
namespace {

std::string nameOf(const QWidget* control)
{
    if (!control)
        return {};
    if (const auto* button = qobject_cast<const QToolButton*>(control); button && button->defaultAction())
        return button->defaultAction()->objectName().toStdString();
    if (control->objectName().isEmpty())
        return std::string("unnamed ") + control->metaObject()->className();
    return control->objectName().toStdString();
}

} // namespace

std::vector<std::string> tabStops(QWidget& start, int count)
{
    QWidget* window = start.window();
    QApplication::setActiveWindow(window);
    start.setFocus(Qt::OtherFocusReason);
    std::vector<std::string> reached;
    for (int press = 0; press < count; ++press) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        reached.push_back(nameOf(window->focusWidget()));
    }
    return reached;
}

} // namespace calvex::testing
