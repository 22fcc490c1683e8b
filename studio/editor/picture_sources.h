// The data-URL payload each picture of a document came from. A picture read
// from script text is written back with its own payload as long as it is the
// same picture, so that opening and saving a script leaves its bytes alone;
// other pictures are encoded once and the result kept.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

namespace vantor {

class PictureSources {
public:
    // The picture named name was read from payload.
    void remember(const QString& name, const QImage& picture, const QString& payload);
    // The payload to write for the picture now held under name.
    QString payloadFor(const QString& name, const QImage& picture);
    void clear() { sources_.clear(); }
    int size() const { return sources_.size(); }

private:
    struct Source {
        qint64 cacheKey;
        QString payload;
    };
    QHash<QString, Source> sources_;
};

}  // namespace vantor
