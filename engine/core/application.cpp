#include "application.h"

#include <QApplication>
#include <exception>

#include "qt_screen.h"
#include "tavix/platform/backends.h"

namespace tavix::core {

namespace {

// QApplication keeps references to its argument count and vector for its
// whole life, so both are static.
int appArgc = 1;
char argProgram[] = "";
char argPlatform[] = "-platform";
char argHeadless[] = "offscreen";
char* appArgv[] = {argProgram, argPlatform, argHeadless, nullptr};

// Kept until the process ends. Destroying it from an exit handler or a static
// destructor runs Qt's post routines after Qt's own global objects are gone,
// which crashes the host on its way out.
QApplication* ownApplication = nullptr;
bool ownHeadless = false;

bool platformChosenByUser()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    return !chosen.isEmpty() && chosen != "xcb";
}

}  // namespace

void ensureApplication()
{
    // The platform layer's lines join the program's log whoever built the application object.
    platform::qt::installLogSink();
    if (QCoreApplication::instance())
        return;
    const bool native = platformChosenByUser() || platform::displayReachable();
    appArgc = native ? 1 : 3;
    try {
        ownApplication = new QApplication(appArgc, appArgv);
        ownHeadless = !native;
    } catch (const std::exception& error) {
        qWarning("Could not build the application object: %s", error.what());
    }
}

bool widgetsAvailable()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

bool engineRunsHeadless()
{
    return ownHeadless && QCoreApplication::instance() == ownApplication;
}

}  // namespace tavix::core
