// A program and one web host, three ways, handed to the desktop by a Qt
// program that loads the engine at run time.
#include <QApplication>
#include <QByteArray>
#include <QDebug>
#include <QLibrary>

#include "qt_engine.h"

// The web host; the demos script points this at its own server.
static const char kWebHost[] = "www.example.com";
static const char kProgram[] = "C:/Windows/notepad.exe";

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLibrary library(apiLibraryName());

    bool (*launchApp)(const char*) = nullptr;
    bool (*openUrl)(const char*) = nullptr;
    if (!openEngine(library, false, "TX_app_launchApp", launchApp, "TX_app_openUrl", openUrl))
        return 0;

    QByteArray host = qgetenv("TAVIX_DEMO_WEB_HOST");
    if (host.isEmpty())
        host = kWebHost;
    launchApp(kProgram);
    openUrl(host.constData());
    openUrl(("http://" + host).constData());
    openUrl(("https://" + host).constData());
    library.unload();
    return 0;
}
