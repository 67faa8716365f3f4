#pragma once
// The save dialog of the result viewer and the chart window: the platform's file dialog on
// screen, a scripted chooser in tests.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace calvex::widgets {

struct SaveFileRequest {
    QString title;
    QString filter;        // Qt form: "Bitmap Files (*.bmp);;All Files (*.*)"
    QString defaultSuffix; // added to a name typed without one
    QString suggestedName;
};

// The path the user chose, or nothing for Cancel.
std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request);

using SaveFileChooser = std::function<std::optional<QString>(const SaveFileRequest&)>;
// Puts `chooser` in place of the dialog; an empty chooser restores the dialog.
void setSaveFileChooser(SaveFileChooser chooser);

} // namespace calvex::widgets
