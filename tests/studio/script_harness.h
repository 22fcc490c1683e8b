// Runs script text through the studio's engine manager, the way a run does.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable failure messages for texts and text lists.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vantor::test {

// The script's completion value as text, or "uncaught: " and the exception's text.
QString evaluate(const QString& script);

// A temporary folder made the process's current directory while the object lives.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Writes `text` (UTF-8) to the folder-relative `name`, creating sub-folders.
    QString write(const QString& name, const QByteArray& text) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace vantor::test
