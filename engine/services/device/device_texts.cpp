#include "device_texts.h"

#include <algorithm>

#include "tavix/platform/conversions.h"

namespace tavix::devicetext {

namespace {

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

void addLine(QString& lines, const char* label, const std::string& value)
{
    if (!value.empty())
        lines += QLatin1String(label) + QLatin1Char(' ') + QString::fromStdString(value)
            + QLatin1Char('\n');
}

}  // namespace

QString windowsVersionName(int identifier)
{
    return QString::fromStdString(platform::convert::windowsVersionName(identifier));
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
