#include "ocr_program.h"

#include <QCoreApplication>
#include <QFile>
#include <string>
#include <vector>

#include "tavix/platform/processes.h"

namespace tavix::ocr {

namespace {

constexpr char kLanguage[] = "chi_sim";
constexpr int kTimeLimitMs = 30000;
// A result file is text; anything larger than this is not the program's answer.
constexpr qint64 kMaxResultBytes = 64 * 1024 * 1024;

QString folderOverride;
int timeLimitOverride = 0;

}  // namespace

QString applicationFolder()
{
    if (!folderOverride.isEmpty())
        return folderOverride;
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QString programPath(const QString& appFolder)
{
    return appFolder + QStringLiteral("/ocr/") + QLatin1String(platform::ocrProgramName());
}

QStringList programArguments(const QString& imagePath, const QString& workFolder)
{
    return {imagePath, workFolder + QStringLiteral("/ocr"), QStringLiteral("-l"),
            QLatin1String(kLanguage)};
}

QString resultFilePath(const QString& workFolder)
{
    return workFolder + QStringLiteral("/ocr.txt");
}

bool runProgram(const QString& program, const QStringList& arguments)
{
    std::vector<std::string> argumentList;
    for (const QString& argument : arguments)
        argumentList.push_back(argument.toStdString());
    const int limit = timeLimitOverride > 0 ? timeLimitOverride : kTimeLimitMs;
    const platform::ChildRun run = platform::runHidden(program.toStdString(), argumentList, limit);
    switch (run.outcome) {
    case platform::ChildRun::NotStarted:
        qWarning("OCR program %s did not start: %s", qUtf8Printable(program), run.error.c_str());
        return false;
    case platform::ChildRun::TimedOut:
        qWarning("OCR program still running after %d ms; stopped", limit);
        return false;
    case platform::ChildRun::Finished: break;
    }
    return true;
}

std::optional<QString> readResultFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("OCR result %s cannot be read: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(kMaxResultBytes);
    bytes.replace("\r", "");
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromUtf8(bytes);
}

void setApplicationFolderForTesting(const QString& folder)
{
    folderOverride = folder;
}

void setTimeLimitForTesting(int milliseconds)
{
    timeLimitOverride = milliseconds;
}

}  // namespace tavix::ocr
