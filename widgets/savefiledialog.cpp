#include "widgets/savefiledialog.h"

#include "services/programfolder.h"
#include "widgets/windowhistory.h"

#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>

namespace calvex::widgets {
namespace {

SaveFileChooser& installedChooser()
{
    static SaveFileChooser chooser;
    return chooser;
}

// The dialog keeps its state (the folders last visited) in the toolkit's user settings, which
// follow the program folder's rule: where the program may keep nothing under the home, they
// go to the run's own folder, or nowhere; else where the toolkit keeps them for every program.
// Reports whether they were moved.
bool placeDialogSettings()
{
    const std::optional<std::filesystem::path> moved = services::toolkitSettingsFolder();
    const QString folder = moved ? QFile::decodeName(moved->c_str())
                                 : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder);
    return moved.has_value();
}

} // namespace

std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    if (installedChooser())
        return installedChooser()(request);
    const bool settingsMoved = placeDialogSettings();
    QFileDialog dialog(dialogParent(parent), request.title, QString(), request.filter);
    // The platform's own dialog (GTK's, through a platform theme) writes its state and recent
    // files under the home itself.
    if (settingsMoved)
        dialog.setOption(QFileDialog::DontUseNativeDialog);
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
