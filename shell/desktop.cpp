#include "shell/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

namespace calvex::shell {
namespace {

std::function<void()>& programEnding()
{
    static std::function<void()> ending;
    return ending;
}

std::function<void(const QString&)>& addressOpener()
{
    static std::function<void(const QString&)> opener;
    return opener;
}

// Changing window flags hides a shown window; it is shown again as it was.
void changeFlags(QWidget* window, Qt::WindowFlags flags)
{
    const bool wasVisible = window->isVisible();
    window->setWindowFlags(flags);
    if (wasVisible)
        window->show();
}

} // namespace

void DisableCloseButton(QWidget* form)
{
    if (!form)
        return;
    Qt::WindowFlags flags = form->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
    flags &= ~Qt::WindowCloseButtonHint;
    if (flags != form->windowFlags())
        changeFlags(form, flags);
}

QStringList desktopCalculatorPrograms()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),        QStringLiteral("mate-calc"),
            QStringLiteral("galculator"),       QStringLiteral("qalculate-qt"), QStringLiteral("qalculate-gtk"),
            QStringLiteral("speedcrunch"),      QStringLiteral("xcalc")};
}

void startDesktopCalculator()
{
    for (const QString& program : desktopCalculatorPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) {
            QProcess::startDetached(path, {}, QDir::homePath());
            return;
        }
    }
}

void openAddress(const QString& address)
{
    if (addressOpener())
        addressOpener()(address);
    else
        QDesktopServices::openUrl(QUrl(address));
}

void setAddressOpener(std::function<void(const QString&)> opener) { addressOpener() = std::move(opener); }

void endProgram()
{
    if (programEnding())
        programEnding()();
    else
        QCoreApplication::exit(0);
}

void setProgramEnding(std::function<void()> ending) { programEnding() = std::move(ending); }

} // namespace calvex::shell
