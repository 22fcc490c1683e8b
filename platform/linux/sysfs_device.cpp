// Linux: firmware identification from sysfs DMI, power supplies from the
// power_supply class, the system's name from os-release.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "tavix/platform/device.h"

namespace tavix::platform::device {

namespace {

// sysfs attributes are one short line; more than this is not an attribute.
constexpr qint64 kMaxAttribute = 4096;

QString readAttribute(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(kMaxAttribute)).trimmed();
}

// Firmware fields that hold a placeholder instead of a value.
bool isPlaceholder(const QString& value)
{
    static const QStringList placeholders = {
        QStringLiteral("To be filled by O.E.M."), QStringLiteral("To Be Filled By O.E.M."),
        QStringLiteral("Default string"), QStringLiteral("Not Specified"), QStringLiteral("None"),
        QStringLiteral("System Serial Number")};
    return placeholders.contains(value);
}

QString dmi(const QString& sysRoot, const char* field)
{
    const QString value = readAttribute(sysRoot + QStringLiteral("/class/dmi/id/") + QLatin1String(field));
    return isPlaceholder(value) ? QString() : value;
}

QString unquote(QString value)
{
    if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
        && value.endsWith(value.front())) {
        value = value.mid(1, value.size() - 2);
        value.replace(QRegularExpression(QStringLiteral("\\\\(.)")), QStringLiteral("\\1"));
    }
    return value;
}

}  // namespace

Firmware readFirmware(const QString& sysRoot)
{
    Firmware firmware;
    firmware.boardVendor = dmi(sysRoot, "board_vendor");
    firmware.boardName = dmi(sysRoot, "board_name");
    firmware.biosVendor = dmi(sysRoot, "bios_vendor");
    firmware.biosVersion = dmi(sysRoot, "bios_version");
    firmware.biosSerial = dmi(sysRoot, "product_serial");
    return firmware;
}

PowerStatus readPowerStatus(const QString& sysRoot)
{
    const QDir supplies(sysRoot + QStringLiteral("/class/power_supply"));
    int batteries = 0, chargeSum = 0;
    bool sawMains = false, mainsOnline = false;
    QString batteryState;
    for (const QString& name : supplies.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
        const QString base = supplies.filePath(name) + QLatin1Char('/');
        const QString type = readAttribute(base + QStringLiteral("type"));
        if (type == QLatin1String("Battery")) {
            // Peripherals (mice, headsets) report their own batteries.
            if (readAttribute(base + QStringLiteral("scope")) == QLatin1String("Device"))
                continue;
            if (readAttribute(base + QStringLiteral("present")) == QLatin1String("0"))
                continue;
            bool ok = false;
            const int capacity = readAttribute(base + QStringLiteral("capacity")).toInt(&ok);
            if (!ok)
                continue;
            ++batteries;
            chargeSum += qBound(0, capacity, 100);
            batteryState = readAttribute(base + QStringLiteral("status"));
        } else if (type == QLatin1String("Mains") || type.startsWith(QLatin1String("USB"))) {
            sawMains = true;
            mainsOnline = mainsOnline || readAttribute(base + QStringLiteral("online")) == QLatin1String("1");
        }
    }
    PowerStatus status;
    if (batteries > 0)
        status.batteryPercent = chargeSum / batteries;
    if (sawMains)
        status.acLine = mainsOnline ? 1 : 0;
    else if (batteryState == QLatin1String("Discharging"))
        status.acLine = 0;
    else if (batteryState == QLatin1String("Charging") || batteryState == QLatin1String("Full"))
        status.acLine = 1;
    return status;
}

QString prettyNameFromOsRelease(const QByteArray& content)
{
    QString pretty, name, version;
    for (const QString& line : QString::fromUtf8(content).split(QLatin1Char('\n'))) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unquote(line.mid(equals + 1).trimmed());
        if (key == QLatin1String("PRETTY_NAME"))
            pretty = value;
        else if (key == QLatin1String("NAME"))
            name = value;
        else if (key == QLatin1String("VERSION"))
            version = value;
    }
    if (!pretty.isEmpty())
        return pretty;
    return (name + QLatin1Char(' ') + version).trimmed();
}

QString osPrettyName(const QString& root)
{
    for (const char* file : {"etc/os-release", "usr/lib/os-release"}) {
        QFile release(QDir(root).filePath(QLatin1String(file)));
        if (release.open(QIODevice::ReadOnly)) {
            const QString name = prettyNameFromOsRelease(release.read(64 * 1024));
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

}  // namespace tavix::platform::device
