#include "services/programfolder.h"
#include "services/qtui.h"
#include "services/viewerwindows.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    calvex::services::initialiseProgramFolder();
    calvex::services::QtUi qtUi;
    calvex::services::setUi(&qtUi);
    calvex::services::registerViewerWindows();

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Calvex"));
    frame.show();
    return application.exec();
}
