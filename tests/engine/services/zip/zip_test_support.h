// Small helpers for the zip tests: files, trees and Info-ZIP's programs.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace tavix::test {

// A path or text as the engine's UTF-8 arguments.
inline QByteArray u8(const QString& text)
{
    return text.toUtf8();
}

inline void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
};

// Runs a program in `folder` and collects its standard output.
inline ProgramRun run(const QString& program, const QStringList& arguments, const QString& folder = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ProgramRun result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    return result;
}

// The entry names of an archive as Info-ZIP lists them, sorted.
inline QStringList unzipNames(const QString& archive)
{
    const ProgramRun listing = run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    QStringList names = QString::fromUtf8(listing.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.sort();
    return names;
}

// Every file under `root` with its content, relative paths sorted.
inline QStringList treeOf(const QString& root)
{
    QStringList items;
    QDir base(root);
    const std::function<void(const QString&)> visit = [&](const QString& folder) {
        for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (info.isDir()) {
                items << base.relativeFilePath(info.filePath()) + QLatin1Char('/');
                visit(info.filePath());
            } else {
                items << base.relativeFilePath(info.filePath()) + QLatin1Char('=') + QString::fromUtf8(readFile(info.filePath()));
            }
        }
    };
    visit(root);
    items.sort();
    return items;
}

}  // namespace tavix::test
