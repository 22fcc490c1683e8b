#include "device_texts.h"

#include <algorithm>

namespace tavix::devicetext {

namespace {

struct WindowsName {
    int identifier;
    const char* name;
};

constexpr WindowsName kWindowsNames[] = {
    {0x20, "Windows 2000"}, {0x30, "Windows XP"}, {0x80, "Windows Vista"}, {0x90, "Windows 7"},
    {0xA0, "Windows 8"},    {0xB0, "Windows 8.1"}, {0xC0, "Windows 10"},
};

// Each label, in the order tested, with what goes before its value.
struct Label {
    const char* label;
    const char* prefix;
};

constexpr Label kLabels[] = {
    {"Manufacturer:", ""},
    {"Name:", " - "},
    {"Version:", " v"},
    {"SerialNumber:", " - SN: "},
};

const QString kUnknown = QStringLiteral("Unknown");

void addLine(QString& lines, const char* label, const QString& value)
{
    if (!value.isEmpty())
        lines += QLatin1String(label) + QLatin1Char(' ') + value + QLatin1Char('\n');
}

}  // namespace

QString windowsVersionName(int identifier)
{
    for (const WindowsName& entry : kWindowsNames)
        if (entry.identifier == identifier)
            return QLatin1String(entry.name);
    return QStringLiteral("Unknown Windows Version (") + QString::number(identifier) + QLatin1Char(')');
}

QString firmwareText(const QString& output)
{
    QString text;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        for (const Label& label : kLabels) {
            if (line.contains(QLatin1String(label.label))) {
                text += QLatin1String(label.prefix) + QString(line).remove(QLatin1String(label.label)).trimmed();
                break;
            }
        }
    }
    text = text.trimmed();
    return text.isEmpty() ? kUnknown : text;
}

QString boardLines(const platform::device::Firmware& firmware)
{
    QString lines;
    addLine(lines, "Manufacturer:", firmware.boardVendor);
    addLine(lines, "Name:", firmware.boardName);
    return lines;
}

QString biosLines(const platform::device::Firmware& firmware)
{
    QString lines;
    addLine(lines, "Manufacturer:", firmware.biosVendor);
    addLine(lines, "Version:", firmware.biosVersion);
    addLine(lines, "SerialNumber:", firmware.biosSerial);
    return lines;
}

bool onMainsPower(int acLine)
{
    return acLine == 1 || acLine == 2;
}

platform::device::GammaRamp gammaRamp(int num)
{
    const long level = long(static_cast<unsigned>(num) & 0xFFFFu);
    platform::device::GammaRamp ramp{};
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::uint16_t>(std::min(65535L, long(i) * (level + 128)));
    return ramp;
}

}  // namespace tavix::devicetext
