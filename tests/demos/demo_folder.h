// A prepared folder for the demos in a temporary directory, and what the
// demos left in it.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace demos_test {

// The folder of the demo programs and the source tree, from the test's environment.
QString binDir();
QString sourceDir();
QString prepareScript();

class DemoFolder {
public:
    // Prepares <temporary directory>/APItest with the demos script.
    DemoFolder();

    QString path() const { return root_.filePath(QStringLiteral("APItest")); }
    QString file(const QString& relative) const { return path() + QLatin1Char('/') + relative; }
    QString scratch(const QString& name) const { return root_.filePath(name); }
    bool prepared() const { return prepared_; }

    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    QImage picture(const QString& relative) const { return QImage(file(relative)); }

private:
    QTemporaryDir root_;
    bool prepared_ = false;
};

// Runs a program to its end (deadline 60 s); standard output and error together
// with the exit code, or -1 when it crashed or did not end.
struct ToolResult {
    int exitCode = -1;
    QString output;
};
ToolResult runTool(const QString& program, const QStringList& arguments);

}  // namespace demos_test
