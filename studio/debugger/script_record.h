// A script the engine has loaded: its text (with "\n" line ends, as the engine
// counts lines), file name and first line number, with the start offsets of
// its lines worked out lazily and remembered.
#pragma once

#include <QMap>
#include <QString>

namespace vantor {

class ScriptRecord {
public:
    ScriptRecord(const QString& source, const QString& fileName, int baseLineNumber);

    const QString& fileName() const { return fileName_; }
    // The text of line `lineNumber` without its line end; a null text when the
    // script has no such line.
    QString lineText(int lineNumber);

private:
    int lineOffset(int lineNumber);

    QString source_;
    QString fileName_;
    int baseLineNumber_;
    QMap<int, int> offsets_;  // line number -> offset of its first character
};

}  // namespace vantor
