// The script object `ocr`: text recognition through the external OCR program.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>

#include "host_state.h"

namespace vantor {

class TX_ocr : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue imgText(TX_api* pTX_api);
    QScriptValue imgText(QString base64Data);
    QScriptValue imgTextPath(QString path);
};

}  // namespace vantor
