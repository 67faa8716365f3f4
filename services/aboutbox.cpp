#include "services/aboutbox.h"

#include "services/ui.h"
#include "shell/windowregistry.h"

#include <QDialog>
#include <QLabel>

namespace calvex::services {

void showAboutBox(bool modal, const QString& title)
{
    const QString name = QStringLiteral("frmAbout");
    auto& registry = shell::WindowRegistry::instance();
    QWidget* box = registry.load(name);
    if (!box) {
        ui().message(shell::WindowRegistry::notAvailableText(name).toStdString());
        return;
    }
    if (!title.isEmpty())
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("lblTitle")))
            label->setText(title);
    auto* dialog = qobject_cast<QDialog*>(box);
    if (modal && dialog && !dialog->isVisible()) {
        dialog->exec();
        return;
    }
    registry.show(name);
}

} // namespace calvex::services
