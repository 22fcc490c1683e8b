// State of MycodeEdit that its users never see.
#pragma once

#include <QSet>
#include <QString>
#include <QTextBlockUserData>

#include "completion_names.h"
#include "mycode_edit.h"
#include "picture_sources.h"

namespace vantor {

// A block whose line end differs from the document's usual one.
class LineEndData : public QTextBlockUserData {
public:
    explicit LineEndData(const QString& end) : end(end) {}
    QString end;
};

struct MycodeEdit::Private {
    PictureSources sources;
    // The line end written after a block without LineEndData.
    QString lineEnd = QStringLiteral("\n");
    // Payload hashes that did not decode, so that typing beside one stays cheap.
    QSet<uint> undecodable;
    // Set while the editor inserts text itself: no re-reading of data URLs then.
    int inserting = 0;
    // Set while a script is loaded: no completion then.
    int loading = 0;
    // Set while setScriptText puts a script in: the gutter takes its width once,
    // after, since a new margin would start laying out the document half-way.
    bool holdGutterWidth = false;
    // The stretch of the last text change, for the re-reading of data URLs.
    int changedFrom = -1;
    int changedTo = -1;
    CompletionNames names;
};

// "dropped_image_%1" with the next number of the program-wide counter.
QString nextDroppedImageName();

}  // namespace vantor
