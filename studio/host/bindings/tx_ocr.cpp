#include "tx_ocr.h"

#include "tavix.h"

namespace vantor {

namespace {

// Recognised text comes in the system's local 8-bit code page.
QScriptValue localText(const char* text)
{
    return QScriptValue(text ? QString::fromLocal8Bit(text) : QString());
}

}  // namespace

QScriptValue TX_ocr::imgText(TX_api* pTX_api)
{
    if (!pTX_api || pTX_api->image.isNull())
        return QScriptValue(QString());
    TX_api_setData(pTX_api);
    return localText(TX_ocr_imgTextImage());
}

QScriptValue TX_ocr::imgText(QString base64Data)
{
    return localText(TX_ocr_imgText(base64Data.toUtf8().constData()));
}

QScriptValue TX_ocr::imgTextPath(QString path)
{
    return localText(TX_ocr_imgTextPath(path.toUtf8().constData()));
}

}  // namespace vantor
