// Vantor: the studio for automation scripts.
//   Vantor [script.js]
// Runs once per desktop: a second start exits at once with code 0.
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include "main_window.h"
#include "message_handler.h"
#include "single_instance.h"
#include "startup_probe.h"
#include "tavix_mgr.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (vantor::anotherInstanceRunning(vantor::studioExecutableName(),
                                       QCoreApplication::applicationPid()))
        return 0;
    // Settings (the recent files) live under this name and the program's.
    QCoreApplication::setOrganizationName(QStringLiteral("Tavix"));
    vantor::installMessageHandler();

    int code = 0;
    bool runLeft = false;
    {
        vantor::MainWindow window;
        vantor::watchFirstPaint(&window);
        window.show();
        const QStringList arguments = QCoreApplication::arguments();
        // Absolute, so that the recent-file entry works from any folder.
        if (arguments.size() > 1)
            window.loadFile(QFileInfo(arguments.at(1)).absoluteFilePath());
        code = app.exec();
        runLeft = window.isRunActive();
    }
    // A run that would not stop still uses the script engine.
    if (!runLeft)
        vantor::TavixMgr::release();
    return code;
}
