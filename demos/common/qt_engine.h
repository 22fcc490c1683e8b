// The start the two Qt demos share: load the engine with Qt's library loader,
// initialise it and resolve the demo's two functions.
#pragma once

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLibrary>

#ifdef Q_OS_WIN
inline constexpr char kApiLibrary[] = "api.dll";
#else
inline constexpr char kApiLibrary[] = "libapi.so";
#endif

// The engine library's file name, as a path when it lies beside the program
// (found there first, as on Windows), else for the system's search path.
inline QString apiLibraryName()
{
    const QString local = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kApiLibrary);
    return QFileInfo::exists(local) ? local : QString::fromLatin1(kApiLibrary);
}

// Loads `library` (named by apiLibraryName()) and calls TX_api_initialize; then
// resolves `first` and `second`. False, with "Failed to load DLL." logged, when
// any step fails. `explainLoadFailure` logs the loader's own text first.
template <class First, class Second>
bool openEngine(QLibrary& library, bool explainLoadFailure, const char* firstName, First& first,
                const char* secondName, Second& second)
{
    if (!library.load()) {
        if (explainLoadFailure)
            qDebug().noquote().nospace() << "Failed to load DLL: " << library.errorString();
        qDebug("Failed to load DLL.");
        return false;
    }
    auto initialize = reinterpret_cast<void (*)()>(library.resolve("TX_api_initialize"));
    if (!initialize) {
        qDebug("Failed to load DLL.");
        return false;
    }
    initialize();
    first = reinterpret_cast<First>(library.resolve(firstName));
    second = reinterpret_cast<Second>(library.resolve(secondName));
    if (!first || !second) {
        qDebug("Failed to load DLL.");
        return false;
    }
    return true;
}
