#include "device_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>
#include <algorithm>
#include <cmath>

#include "core/desktop.h"
#include "core/text.h"
#include "device_texts.h"
#include "tavix/platform/device.h"

namespace tavix {

namespace device = platform::device;

namespace {
constexpr std::size_t kTextSize = 1024;
}

const char* DeviceInfo::baseOS()
{
    static ResultText<kTextSize> result;
#ifdef Q_OS_WIN
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    return result.set(devicetext::windowsVersionName(int(QSysInfo::windowsVersion())));
    QT_WARNING_POP
#else
    const QString name = device::osPrettyName();
    return result.set(name.isEmpty() ? QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion() : name);
#endif
}

const char* DeviceInfo::board()
{
    static ResultText<kTextSize> result;
    return result.set(devicetext::firmwareText(devicetext::boardLines(device::readFirmware())));
}

const char* DeviceInfo::bootLoader()
{
    static ResultText<kTextSize> result;
    return result.set(devicetext::firmwareText(devicetext::biosLines(device::readFirmware())));
}

const char* DeviceInfo::getBrightness()
{
    static ResultText<kTextSize> result;
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    const int value = screen ? screen->property("brightness").toInt() : 0;
    return result.set(QString::number(value));
}

int DeviceInfo::getBattery()
{
    return device::readPowerStatus().batteryPercent;
}

bool DeviceInfo::isCharging()
{
    return devicetext::onMainsPower(device::readPowerStatus().acLine);
}

bool DeviceInfo::setBrightness(int num)
{
    return device::setGammaRamp(devicetext::gammaRamp(num));
}

int DeviceInfo::getMusicMaxVolume()
{
    const std::optional<device::MasterVolume> master = device::masterVolume();
    if (!master)
        return -1;
    return int(std::trunc(master->maxDb * master->scalar));
}

int DeviceInfo::width()
{
    return primaryScreenGeometry().width();
}

int DeviceInfo::height()
{
    return primaryScreenGeometry().height();
}

bool DeviceInfo::isScreenOn()
{
    if (!qGuiApp)
        return false;
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [](const QScreen* screen) {
        const QRect geometry = screen->geometry();
        return geometry.left() <= geometry.right() && geometry.top() <= geometry.bottom();
    });
}

}  // namespace tavix
