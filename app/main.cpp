#include "pure/purewindows.h"
#include "services/programfolder.h"
#include "services/qtui.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    calvex::services::initialiseProgramFolder();
    calvex::services::QtUi qtUi;
    calvex::services::setUi(&qtUi);
    calvex::pure::registerPureWindows();

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Calvex"));
    frame.show();
    return application.exec();
}
