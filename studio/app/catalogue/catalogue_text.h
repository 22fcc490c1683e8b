// What a catalogue entry becomes in the script: one statement, and for an
// entry with the camera symbol the captured picture in the symbol's place.
#pragma once

#include <QImage>
#include <QString>

namespace vantor {

// U+1F4F7, where an entry wants a picture cut from the screen.
extern const QString kCameraSymbol;

bool needsPicture(const QString& entry);
// "data:image/png;base64," and the picture's PNG in Base64; empty for a null picture.
QString pictureDataUrl(const QImage& picture);
// The entry with every camera symbol replaced by the picture's data URL.
QString withPicture(const QString& entry, const QImage& picture);
// The entry as one statement on its own line: the entry, ";" and a line feed.
QString statementOf(const QString& entry);

}  // namespace vantor
