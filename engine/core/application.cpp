#include "application.h"

#include <QApplication>
#include <cstdlib>
#include <exception>
#include <memory>

#include "tavix/platform/backends.h"

namespace tavix {

namespace {

// QApplication keeps references to its argument count and vector for its
// whole life, so both are static.
int appArgc = 1;
char argProgram[] = "";
char argPlatform[] = "-platform";
char argHeadless[] = "offscreen";
char* appArgv[] = {argProgram, argPlatform, argHeadless, nullptr};

std::unique_ptr<QApplication> ownApplication;

// Runs from an exit handler rather than a static destructor: by the time the
// library's static destructors run, Qt's platform plugin may be finalised already.
void destroyApplication()
{
    ownApplication.reset();
}

bool platformChosenByUser()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    return !chosen.isEmpty() && chosen != "xcb";
}

}  // namespace

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    const bool native = platformChosenByUser() || platform::displayReachable();
    appArgc = native ? 1 : 3;
    try {
        ownApplication = std::make_unique<QApplication>(appArgc, appArgv);
        std::atexit(destroyApplication);
    } catch (const std::exception& error) {
        qWarning("Could not build the application object: %s", error.what());
    }
}

bool widgetsAvailable()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace tavix
