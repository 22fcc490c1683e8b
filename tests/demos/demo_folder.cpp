#include "demo_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace demos_test {

QString binDir()
{
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("TAVIX_DEMO_BIN"));
}

QString sourceDir()
{
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("TAVIX_SOURCE_DIR"));
}

QString prepareScript()
{
    return sourceDir() + QStringLiteral("/demos/prepare-apitest");
}

DemoFolder::DemoFolder()
{
    const ToolResult result =
        runTool(QStringLiteral("python3"), {prepareScript(), QStringLiteral("--bin"), binDir(), path()});
    prepared_ = result.exitCode == 0 && QFileInfo(file(QStringLiteral("image/abc.png"))).isFile();
    if (!prepared_)
        qWarning("prepare-apitest failed: %s", qPrintable(result.output));
}

QByteArray DemoFolder::read(const QString& relative) const
{
    QFile input(file(relative));
    return input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
}

bool DemoFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(file(relative));
}

ToolResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        result.output = QStringLiteral("did not end: ") + program;
        return result;
    }
    result.output = QString::fromUtf8(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

}  // namespace demos_test
