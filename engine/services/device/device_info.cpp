#include "device_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>
#include <algorithm>
#include <cmath>

#include "core/desktop.h"
#include "core/text.h"
#include "device_texts.h"
#include "tavix/platform/backends.h"

using tavix::core::ResultText;

namespace tavix::device {

namespace {
platform::device::DeviceBackend& device()
{
    return platform::deviceBackend();
}
}  // namespace

namespace {
constexpr std::size_t kTextSize = 1024;
}

const char* baseOS()
{
    static ResultText<kTextSize> result;
#ifdef Q_OS_WIN
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    return result.set(devicetext::windowsVersionName(int(QSysInfo::windowsVersion())));
    QT_WARNING_POP
#else
    const QString name = QString::fromStdString(device().systemName());
    return result.set(name.isEmpty() ? QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion() : name);
#endif
}

const char* board()
{
    static ResultText<kTextSize> result;
    return result.set(devicetext::firmwareText(devicetext::boardLines(device().firmware())));
}

const char* bootLoader()
{
    static ResultText<kTextSize> result;
    return result.set(devicetext::firmwareText(devicetext::biosLines(device().firmware())));
}

const char* getBrightness()
{
    static ResultText<kTextSize> result;
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    const int value = screen ? screen->property("brightness").toInt() : 0;
    return result.set(QString::number(value));
}

int getBattery()
{
    return device().powerStatus().batteryPercent;
}

bool isCharging()
{
    return devicetext::onMainsPower(device().powerStatus().acLine);
}

bool setBrightness(int num)
{
    return device().setGammaRamp(devicetext::gammaRamp(num));
}

int getMusicMaxVolume()
{
    const std::optional<platform::device::MasterVolume> master = device().masterVolume();
    if (!master)
        return -1;
    return int(std::trunc(master->maxDb * master->scalar));
}

int width()
{
    return core::primaryScreenSize().width();
}

int height()
{
    return core::primaryScreenSize().height();
}

bool isScreenOn()
{
    if (!qGuiApp)
        return false;
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [](const QScreen* screen) {
        const QRect geometry = screen->geometry();
        return geometry.left() <= geometry.right() && geometry.top() <= geometry.bottom();
    });
}

}  // namespace tavix::device
