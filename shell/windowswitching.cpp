#include "shell/windowswitching.h"

#include "services/ui.h"
#include "shell/errortrap.h"
#include "widgets/windownames.h"
#include "widgets/windowregistry.h"

#include <QDialog>
#include <QMainWindow>
#include <QWidget>

namespace calvex::shell {
namespace {

widgets::WindowRegistry& registry() { return widgets::WindowRegistry::instance(); }

// Unloads, one at a time, the first window from `first` on whose caption differs from the
// frame's, until `keep` windows are left; false when no such window is left to unload.
bool closeWindowsFrom(int first, int keep)
{
    while (registry().loadedWindows().size() > keep) {
        const QList<QWidget*> windows = registry().loadedWindows();
        QWidget* next = nullptr;
        for (int position = first; position < windows.size() && !next; ++position)
            if (captionOf(windows[position]) != widgets::frameCaption)
                next = windows[position];
        if (!next)
            return false;
        registry().unload(next);
    }
    return true;
}

// Clears the frame for `target`: the note and false when it is not available yet (nothing is
// closed then), false when the closing stopped.
bool closeOthersFor(const QString& target)
{
    if (!registry().isAvailable(target)) {
        noteNotAvailable();
        return false;
    }
    return closeWindowsFrom(0, 1);
}

} // namespace

QString captionOf(const QWidget* window)
{
    if (!window)
        return {};
    QString caption = window->windowTitle();
    if (qobject_cast<const QMainWindow*>(window) && caption.endsWith(QLatin1Char(']'))) {
        const qsizetype childPart = caption.indexOf(QStringLiteral(" - ["));
        if (childPart >= 0)
            caption.truncate(childPart);
    }
    return caption;
}

void noteNotAvailable()
{
    services::ui().message(widgets::WindowRegistry::notAvailableText().toStdString());
}

void CloseOthersAndShow(const QString& target)
{
    runTrapped([&] {
        if (!closeOthersFor(target))
            return;
        registry().show(widgets::launcherWindow);
        registry().show(target);
    });
}

void ShowUnifacCalculator(UnifacMode mode)
{
    runTrapped([&] {
        if (!closeOthersFor(widgets::unifacWindow))
            return;
        if (QWidget* launcher = registry().find(widgets::launcherWindow); launcher && launcher->isVisible())
            registry().unload(launcher);
        QWidget* unifac = registry().show(widgets::unifacWindow);
        auto* modes = dynamic_cast<UnifacModes*>(unifac);
        if (!modes)
            return;
        if (mode == UnifacMode::Pxy)
            modes->PxyUnifacsetting();
        else if (mode == UnifacMode::Txy)
            modes->TxyUnifacsetting();
    });
}

void openCalculator(const CalculatorChoice& choice)
{
    if (choice.window)
        CloseOthersAndShow(QString::fromLatin1(choice.window));
    else
        ShowUnifacCalculator(choice.unifacMode);
}

void ShowMainPage()
{
    runTrapped([] {
        if (!closeWindowsFrom(1, 2))
            return;
        if (!registry().find(widgets::launcherWindow))
            registry().show(widgets::launcherWindow);
    });
}

void hideLoadedWindowAt(int position)
{
    runTrapped([position] {
        const QList<QWidget*> windows = registry().loadedWindows();
        if (position < windows.size())
            widgets::WindowRegistry::outerWindow(windows[position])->hide();
    });
}

void showModally(const QString& name)
{
    runTrapped([&] {
        QWidget* window = registry().load(name);
        if (!window) {
            noteNotAvailable();
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->exec();
        else
            registry().show(name);
    });
}

} // namespace calvex::shell
