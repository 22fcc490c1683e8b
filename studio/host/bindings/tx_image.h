// The script object `image`: pictures held in script handles (TX_api*) and
// the engine's image operations on them.
//
// Every operation on a handle returns null when the handle holds no picture;
// otherwise the picture goes to the engine's working image first. Results:
// - written back into the given handle, which is returned (even when the engine
//   refused the operation): blur, clip, concat (two handles), cvtColor;
// - the engine's shared record when the operation succeeds, null when it fails:
//   gaussianBlur, grayscale, inRange, interval, resize, rotate, scale, and the
//   loaders fromBase64, fromBytes, load (which take no handle); concat (paths)
//   returns the shared record always;
// - a new handle owned by this object: copy, read.
#pragma once

#include <QList>
#include <QObject>
#include <QScriptValue>
#include <QString>

#include "host_state.h"

namespace vantor {

class TX_image : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~TX_image() override;

public slots:
    TX_api* blur(TX_api* pTX_api, int x, int y, int type, int point);
    TX_api* clip(TX_api* pTX_api, int x, int y, int w, int h);
    TX_api* concat(TX_api* pTX_api_1, TX_api* pTX_api_2, int direction);
    TX_api* concat(QString img1Path, QString img2Path, int direction, QString savePath,
                   QString format = QStringLiteral("PNG"), int quality = 100);
    TX_api* copy(TX_api* pTX_api);
    TX_api* cvtColor(TX_api* pTX_api, int code, int dstCn = 0);
    QScriptValue detectsColor(TX_api* pTX_api, QString color, int x, int y, int threshold,
                              QString algorithm);
    QScriptValue findColor(TX_api* pTX_api, QString color, int threshold = 16,
                           QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue findColorEquals(TX_api* pTX_api, QString color,
                                 QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue findImage(TX_api* pTX_api_1, TX_api* pTX_api_2, float threshold = 0.9f,
                           QScriptValue rectValue = QScriptValue(QScriptValue::NullValue),
                           int level = 0);
    TX_api* fromBase64(QString data);
    TX_api* fromBytes(QScriptValue bytes);
    TX_api* gaussianBlur(TX_api* pTX_api, int x, int y, int sigmaX = 0, int sigmaY = 0,
                         int type = 0);
    TX_api* grayscale(TX_api* pTX_api, int dstCn = 100);
    TX_api* inRange(TX_api* pTX_api, int lowerBound, int upperBound);
    TX_api* interval(TX_api* pTX_api, QString colorStr, int threshold);
    TX_api* load(QString url);
    QScriptValue pixel(TX_api* pTX_api, int x, int y);
    TX_api* resize(TX_api* pTX_api, int x, int y, int interpolation = 1);
    TX_api* rotate(TX_api* pTX_api, int x, int y, int degree);
    TX_api* scale(TX_api* pTX_api, int x, int y, int interpolation = 1);
    TX_api* read(QString path);
    QScriptValue rect(int x, int y, QScriptValue width, QScriptValue height);
    QScriptValue save(TX_api* pTX_api, QString savePath, QString format, int quality);
    QScriptValue toBase64(TX_api* pTX_api, QString format = QStringLiteral("PNG"),
                          int quality = -1);
    QScriptValue toBytes(TX_api* pTX_api, QString format = QStringLiteral("PNG"),
                         int quality = -1);

private:
    TX_api* newRecord();

    QList<TX_api*> records_;  // owned; handles to them stay valid for the object's life
};

}  // namespace vantor
