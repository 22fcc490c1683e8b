#include "stop_key.h"

#include <QDebug>
#include <QMetaObject>

#include "tavix/platform/global_key.h"

namespace vantor {

namespace {

constexpr std::uint8_t kVirtualKeyX = 0x58;

}  // namespace

StopKey::StopKey(QObject* parent) : QObject(parent) {}

// The grab's thread is joined here, before the object it reports to is gone.
StopKey::~StopKey() = default;

QString StopKey::label()
{
    return QStringLiteral("Ctrl+Alt+Shift+X");
}

bool StopKey::start()
{
    namespace platform = tavix::platform;
    if (grab_)
        return true;
    const platform::KeyCombination keys{
        platform::modifier::kControl | platform::modifier::kAlt | platform::modifier::kShift,
        kVirtualKeyX};
    std::string error;
    // The press arrives on the grab's thread; the signal goes out on ours.
    grab_ = platform::GlobalKeyGrab::create(
        keys, [this] { QMetaObject::invokeMethod(this, &StopKey::pressed, Qt::QueuedConnection); },
        &error);
    if (!grab_) {
        qWarning().noquote() << QStringLiteral("Global stop key %1 is not available: %2")
                                    .arg(label(), QString::fromStdString(error));
        return false;
    }
    return true;
}

}  // namespace vantor
