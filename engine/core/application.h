// The application object the engine's widgets, grabs and clipboard need.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <type_traits>

namespace tavix::core {

// Builds the engine's own QApplication unless the host already has an
// application object; without a reachable display it runs on the headless
// platform. A construction that throws leaves nothing built, so a later call
// tries again.
void ensureApplication();

// Whether widgets can be created (the application object is a QApplication).
bool widgetsAvailable();

// Whether the engine built the application object itself on the headless
// platform: nobody can see its windows or answer its message boxes.
bool engineRunsHeadless();

// Runs `work` on the application object's thread and waits for its result.
// Clipboard and desktop-service calls belong to that thread.
template <class Work>
auto onApplicationThread(Work&& work) -> decltype(work())
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return work();
    if constexpr (std::is_void_v<decltype(work())>) {
        QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
    } else {
        decltype(work()) result{};
        QMetaObject::invokeMethod(app, [&] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

}  // namespace tavix::core
