#include "widgets/savefiledialog.h"

#include "widgets/windowhistory.h"

#include <QFileDialog>

namespace calvex::widgets {
namespace {

SaveFileChooser& installedChooser()
{
    static SaveFileChooser chooser;
    return chooser;
}

} // namespace

std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    if (installedChooser())
        return installedChooser()(request);
    QFileDialog dialog(dialogParent(parent), request.title, QString(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void setSaveFileChooser(SaveFileChooser chooser) { installedChooser() = std::move(chooser); }

} // namespace calvex::widgets
