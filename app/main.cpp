#include "activity/parameterwindows.h"
#include "activity/vlewindow.h"
#include "mixture/windows/mixturewindows.h"
#include "pure/purewindows.h"
#include "services/programfolder.h"
#include "services/ui.h"
#include "shell/helpwindows.h"
#include "shell/shellwindows.h"
#include "unifac/unifacwindows.h"
#include "widgets/dialogwindows.h"
#include "widgets/pictures.h"
#include "widgets/qtui.h"
#include "widgets/spokenlists.h"
#include "widgets/terminationsignals.h"
#include "widgets/viewerwindows.h"

#include <QApplication>

#include <string>

int main(int argc, char* argv[])
{
    // Before any library starts, as they keep their files under the home it may set.
    const std::string folderMessage = calvex::services::initialiseProgramFolder();
    QApplication application(argc, argv);
    calvex::widgets::endOnTerminationSignals();
    calvex::widgets::announceListEntries();
    // Docks and Wayland compositors match the windows to the installed desktop entry by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.calvex.Calvex"));
    calvex::widgets::QtUi qtUi;
    calvex::services::setUi(&qtUi);
    if (!folderMessage.empty())
        calvex::services::ui().message(folderMessage);
    calvex::widgets::registerDialogWindows();
    calvex::widgets::registerViewerWindows();
    calvex::shell::registerHelpWindows();
    calvex::pure::registerPureWindows();
    calvex::mixture::registerMixtureWindows();
    calvex::activity::registerVleWindows();
    calvex::activity::registerParameterWindows();
    calvex::unifac::registerUnifacWindows();
    QApplication::setWindowIcon(calvex::widgets::pictureIcon(QStringLiteral("calvex")));

    calvex::shell::registerShellWindows();

    calvex::shell::startProgram();
    if (const int ended = calvex::widgets::terminationStatus())
        return ended;
    return application.exec();
}
