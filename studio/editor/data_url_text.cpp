#include "data_url_text.h"

#include <QBuffer>
#include <QByteArray>
#include <QDebug>

namespace vantor {

const QString kDataUrlPrefix = QStringLiteral("data:image/png;base64,");
const QString kDataUrlMarker = QStringLiteral("\"data:image/png;base64,");

namespace {

void appendText(QVector<ScriptPiece>& pieces, const QStringRef& text)
{
    if (text.isEmpty())
        return;
    if (!pieces.isEmpty() && pieces.last().kind == ScriptPiece::Text)
        pieces.last().text += text;
    else
        pieces.append({ScriptPiece::Text, text.toString(), QImage()});
}

}  // namespace

QVector<ScriptPiece> splitScriptText(const QString& text, QSet<uint>* undecodable)
{
    QVector<ScriptPiece> pieces;
    int from = 0;  // start of the text not yet placed in a piece
    int search = 0;
    while (true) {
        const int marker = text.indexOf(kDataUrlMarker, search);
        if (marker < 0)
            break;
        const int payloadStart = marker + kDataUrlMarker.size();
        const int closing = text.indexOf(QLatin1Char('"'), payloadStart);
        if (closing < 0)
            break;
        const QString payload = text.mid(payloadStart, closing - payloadStart);
        // An object replacement character stands for a picture already in a
        // document; a payload around one is never read as a new picture.
        QImage picture;
        const uint hash = undecodable ? qHash(payload) : 0;
        if (!payload.contains(QChar::ObjectReplacementCharacter)
            && !(undecodable && undecodable->contains(hash)))
            picture = decodePicturePayload(payload);
        if (picture.isNull()) {
            if (!(undecodable && undecodable->contains(hash))) {
                if (undecodable)
                    undecodable->insert(hash);
                qDebug() << "data URL is not a picture; it stays text:" << payload.size()
                         << "characters";
            }
            if (payload.size() > kMaxShownPayload
                && !payload.contains(QChar::ObjectReplacementCharacter)) {
                appendText(pieces, text.midRef(from, marker + 1 - from));
                pieces.append({ScriptPiece::Unshown, payload, QImage()});
                from = closing;
            }
            search = closing;  // the closing quote may open the next data URL
            continue;
        }
        appendText(pieces, text.midRef(from, marker + 1 - from));
        pieces.append({ScriptPiece::Picture, payload, picture});
        from = closing;
        search = closing;
    }
    appendText(pieces, text.midRef(from));
    return pieces;
}

QImage decodePicturePayload(const QString& payload)
{
    const QByteArray bytes = QByteArray::fromBase64(payload.toLatin1());
    if (bytes.isEmpty())
        return QImage();
    return QImage::fromData(bytes);
}

QString encodePicturePayload(const QImage& picture)
{
    if (picture.isNull())
        return QString();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        return QString();
    return QString::fromLatin1(bytes.toBase64());
}

}  // namespace vantor
