// A toast and a message box from a Qt program that loads the engine at run time.
#include <QApplication>
#include <QDebug>
#include <QLibrary>

#include "qt_engine.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLibrary library(apiLibraryName());

    void (*toast)(const char*) = nullptr;
    void (*msg)(const char*) = nullptr;
    if (!openEngine(library, true, "TX_baseclass_toast", toast, "TX_baseclass_msg", msg))
        return 0;

    toast("hello world");
    msg("hello world");
    library.unload();
    return 0;
}
