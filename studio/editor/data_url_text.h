// Script text with pictures written as quoted data URLs: splitting it into
// text and pictures, and turning pictures back into data-URL payloads.
#pragma once

#include <QImage>
#include <QSet>
#include <QString>
#include <QVector>

namespace vantor {

// "data:image/png;base64,"
extern const QString kDataUrlPrefix;
// The double quote that opens a data URL in script text, followed by the prefix.
extern const QString kDataUrlMarker;

// Payloads longer than this that are no picture are not shown as text: one
// line of megabytes would make every key press on it take seconds.
constexpr int kMaxShownPayload = 64 * 1024;

struct ScriptPiece {
    // Unshown: a data URL that is no picture and too long to show as text.
    enum Kind { Text, Picture, Unshown };
    Kind kind = Text;
    QString text;    // Text: the text. Picture, Unshown: the payload, the Base64 after the prefix.
    QImage picture;  // Picture: the decoded picture.
};

// Splits script text at its quoted data URLs. Pictures lie between the
// marker's quote and the next double quote, both of which stay in the text
// pieces. A marker without a closing quote, or a payload that is not a
// picture, stays text (or an Unshown piece when it is longer than
// kMaxShownPayload), so that joining the pieces back gives the input.
// undecodable, when given, holds the hashes of payloads known not to be
// pictures: they are not decoded again, and new failures are added.
QVector<ScriptPiece> splitScriptText(const QString& text, QSet<uint>* undecodable = nullptr);

// A payload decoded as Base64 (characters outside the alphabet skipped) and
// then as a picture of any readable format; null when it is not one.
QImage decodePicturePayload(const QString& payload);

// The picture as the Base64 of a PNG file; empty for a null picture.
QString encodePicturePayload(const QImage& picture);

}  // namespace vantor
