#include "tests/shell/shellfixture.h"

#include "shell/desktop.h"
#include "shell/shellwindows.h"
#include "widgets/frametoolbar.h"
#include "widgets/windownames.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>

namespace calvex::shell::testing {

StandIn::StandIn(const QString& name)
{
    setWindowTitle(name + QStringLiteral(" (stand-in)"));
    resize(320, 200);
}

ViewerStandIn::ViewerStandIn() : StandIn(widgets::resultViewerWindow) { widgets::setFrameToolbarVisible(false); }

void ViewerStandIn::Form_Unload() { widgets::setFrameToolbarVisible(true); }

UnifacStandIn::UnifacStandIn() : StandIn(widgets::unifacWindow) {}

float UnifacStandIn::PxyUnifacsetting()
{
    mode = QStringLiteral("P-x-y");
    return 1;
}

float UnifacStandIn::TxyUnifacsetting()
{
    mode = QStringLiteral("T-x-y");
    return 1;
}

void ShellTest::SetUp()
{
    registerShellWindows();
    setProgramEnding([this] { ++endings; });
}

void ShellTest::TearDown()
{
    for (QWidget* window : registry.loadedWindows())
        registry.unload(window);
    destroyUnloaded();
    for (const widgets::NeighbourWindow& window : widgets::neighbourWindows())
        registry.registerWindow(QString::fromLatin1(window.name), {}, window.placement);
    setProgramEnding({});
    QApplication::clipboard()->clear();
}

void ShellTest::standIn(const QString& name, widgets::Placement placement)
{
    if (name == widgets::resultViewerWindow)
        registry.registerWindow(name, [] { return new ViewerStandIn; }, placement);
    else if (name == widgets::unifacWindow)
        registry.registerWindow(name, [] { return new UnifacStandIn; }, placement);
    else
        registry.registerWindow(name, [name] { return new StandIn(name); }, placement);
}

void ShellTest::standInsForAll()
{
    for (const widgets::NeighbourWindow& window : widgets::neighbourWindows())
        standIn(QString::fromLatin1(window.name), window.placement == widgets::Placement::Dialog ? widgets::Placement::TopLevel : window.placement);
}

MDIForm1* ShellTest::openFrame()
{
    auto* frame = qobject_cast<MDIForm1*>(registry.show(widgets::frameWindow));
    EXPECT_NE(frame, nullptr);
    return frame;
}

QStringList ShellTest::loadedNames() const
{
    QStringList names;
    for (const QWidget* window : registry.loadedWindows())
        names.append(window->objectName());
    return names;
}

QImage ShellTest::screenshot(QWidget* window, const QString& name)
{
    const QImage image = window->grab().toImage();
    if (const QString folder = qEnvironmentVariable("CALVEX_SCREENSHOTS"); !folder.isEmpty())
        image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    return image;
}

void ShellTest::destroyUnloaded() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

} // namespace calvex::shell::testing
