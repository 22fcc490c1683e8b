#include "tx_image.h"

#include <QScriptEngine>
#include <optional>

#include "script_values.h"
#include "tavix.h"

namespace vantor {

using vantor::RectMeaning;
using vantor::sharedRecord;

namespace {

bool hasImage(const TX_api* handle)
{
    return handle && !handle->image.isNull();
}

// Copies the handle's picture into the engine's working image.
void prepare(const TX_api* handle)
{
    TX_api_setData(handle);
}

TX_api* sharedIf(bool ok)
{
    return ok ? sharedRecord() : nullptr;
}

// The sequence of every operation on one handle: null without a picture;
// otherwise the handle's picture goes to the engine and `operation` runs.

// Results written back into the given handle: it takes the engine's working
// image whether or not the operation succeeded, and is returned.
template <class Operation>
TX_api* intoHandle(TX_api* handle, Operation&& operation)
{
    if (!hasImage(handle))
        return nullptr;
    prepare(handle);
    operation();
    handle->image = sharedRecord()->image;
    return handle;
}

// Results that are the engine's shared record: returned when the operation
// succeeds, null when it fails; the given handle is not changed.
template <class Operation>
TX_api* sharedResult(TX_api* handle, Operation&& operation)
{
    if (!hasImage(handle))
        return nullptr;
    prepare(handle);
    return sharedIf(operation());
}

// The search area inside `image`: the rectangle's corners when they lie within
// it, the whole picture without a rectangle, nothing when they lie outside.
std::optional<vantor::Corners> searchArea(const QImage& image, const QScriptValue& rectValue)
{
    const std::optional<vantor::Corners> given = vantor::readRect(rectValue, RectMeaning::Corners);
    if (!given)
        return vantor::Corners{0, 0, image.width(), image.height()};
    if (given->x1 > image.width() || given->y1 > image.height() || given->x2 > image.width()
        || given->y2 > image.height())
        return std::nullopt;
    return given;
}

QScriptValue foundPoint(bool found, int x, int y)
{
    return found ? vantor::pointValue(x, y) : QScriptValue(QScriptValue::UndefinedValue);
}

// A colour search over the handle's picture inside the rectangle's area:
// undefined without a picture, for a rectangle outside it, or when not found.
template <class Search>
QScriptValue colourSearch(TX_api* handle, const QScriptValue& rectValue, Search&& search)
{
    if (!hasImage(handle))
        return QScriptValue(QScriptValue::UndefinedValue);
    const std::optional<vantor::Corners> area = searchArea(handle->image, rectValue);
    if (!area)
        return QScriptValue(QScriptValue::UndefinedValue);
    prepare(handle);
    int x = -1;
    int y = -1;
    const bool found = search(*area, &x, &y);
    return foundPoint(found, x, y);
}

}  // namespace

TX_image::~TX_image()
{
    for (TX_api* record : records_)
        delete record;  // frees its listed blocks, then its images
    records_.clear();
}

TX_api* TX_image::newRecord()
{
    auto* record = new TX_api;
    records_.append(record);
    return record;
}

TX_api* TX_image::blur(TX_api* pTX_api, int x, int y, int type, int point)
{
    return intoHandle(pTX_api, [&] { TX_image_blur(x, y, type, point); });
}

TX_api* TX_image::clip(TX_api* pTX_api, int x, int y, int w, int h)
{
    return intoHandle(pTX_api, [&] { TX_image_clip(x, y, w, h); });
}

TX_api* TX_image::concat(TX_api* pTX_api_1, TX_api* pTX_api_2, int direction)
{
    if (!hasImage(pTX_api_2))
        return nullptr;
    const QImage second = pTX_api_2->image;  // before prepare: it may be the shared record
    return intoHandle(pTX_api_1, [&] {
        sharedRecord()->secondImage = second;
        TX_image_concat(direction);
    });
}

TX_api* TX_image::concat(QString img1Path, QString img2Path, int direction, QString savePath,
                         QString format, int quality)
{
    TX_image_concatPath(img1Path.toUtf8().constData(), img2Path.toUtf8().constData(), direction,
                        savePath.toUtf8().constData(), format.toUtf8().constData(), quality);
    return sharedRecord();
}

TX_api* TX_image::copy(TX_api* pTX_api)
{
    if (!hasImage(pTX_api))
        return nullptr;
    const QImage picture = pTX_api->image;  // the argument may be the shared record itself
    TX_api* record = newRecord();
    TX_image_free();
    record->image = picture;
    sharedRecord()->image = picture;
    return record;
}

TX_api* TX_image::cvtColor(TX_api* pTX_api, int code, int dstCn)
{
    return intoHandle(pTX_api, [&] { TX_image_cvtColor(code, dstCn); });
}

QScriptValue TX_image::detectsColor(TX_api* pTX_api, QString color, int x, int y, int threshold,
                                    QString algorithm)
{
    if (!hasImage(pTX_api))
        return QScriptValue(QScriptValue::UndefinedValue);
    prepare(pTX_api);
    const bool detected = TX_image_detectsColor(color.toUtf8().constData(), x, y, threshold,
                                                algorithm.toUtf8().constData());
    return foundPoint(detected, x, y);
}

QScriptValue TX_image::findColor(TX_api* pTX_api, QString color, int threshold,
                                 QScriptValue rectValue)
{
    return colourSearch(pTX_api, rectValue, [&](const vantor::Corners& a, int* x, int* y) {
        return TX_image_findColor(a.x1, a.y1, a.x2, a.y2, color.toUtf8().constData(), threshold, x, y);
    });
}

QScriptValue TX_image::findColorEquals(TX_api* pTX_api, QString color, QScriptValue rectValue)
{
    return colourSearch(pTX_api, rectValue, [&](const vantor::Corners& a, int* x, int* y) {
        return TX_image_findColorEquals(a.x1, a.y1, a.x2, a.y2, color.toUtf8().constData(), x, y);
    });
}

QScriptValue TX_image::findImage(TX_api* pTX_api_1, TX_api* pTX_api_2, float threshold,
                                 QScriptValue rectValue, int level)
{
    if (!hasImage(pTX_api_1) || !hasImage(pTX_api_2))
        return QScriptValue(QScriptValue::UndefinedValue);
    const std::optional<vantor::Corners> area = searchArea(pTX_api_1->image, rectValue);
    if (!area)
        return QScriptValue(QScriptValue::UndefinedValue);
    const QImage templ = pTX_api_2->image;
    prepare(pTX_api_1);
    sharedRecord()->templateImage = templ;
    int x = -1;
    int y = -1;
    const bool found =
        TX_image_findImage(area->x1, area->y1, area->x2, area->y2, &x, &y, threshold, level);
    return foundPoint(found, x, y);
}

TX_api* TX_image::fromBase64(QString data)
{
    return sharedIf(TX_image_fromBase64(data.toUtf8().constData()));
}

TX_api* TX_image::fromBytes(QScriptValue bytes)
{
    const std::optional<QByteArray> block = vantor::bytesOfElements(bytes);
    if (!block)
        return nullptr;
    return sharedIf(TX_image_fromBytes(block->constData(), block->size()));
}

TX_api* TX_image::gaussianBlur(TX_api* pTX_api, int x, int y, int sigmaX, int sigmaY, int type)
{
    return sharedResult(pTX_api, [&] { return TX_image_gaussianBlur(x, y, sigmaX, sigmaY, type); });
}

TX_api* TX_image::grayscale(TX_api* pTX_api, int dstCn)
{
    return sharedResult(pTX_api, [&] { return TX_image_grayscale(dstCn); });
}

TX_api* TX_image::inRange(TX_api* pTX_api, int lowerBound, int upperBound)
{
    return sharedResult(pTX_api, [&] { return TX_image_inRange(lowerBound, upperBound); });
}

TX_api* TX_image::interval(TX_api* pTX_api, QString colorStr, int threshold)
{
    const QByteArray colour = colorStr.toUtf8();
    return sharedResult(pTX_api, [&] { return TX_image_interval(colour.constData(), threshold); });
}

TX_api* TX_image::load(QString url)
{
    return sharedIf(TX_image_load(url.toUtf8().constData()));
}

QScriptValue TX_image::pixel(TX_api* pTX_api, int x, int y)
{
    if (!hasImage(pTX_api))
        return QScriptValue(0);
    prepare(pTX_api);
    return QScriptValue(static_cast<uint>(TX_image_pixel(x, y)));
}

TX_api* TX_image::resize(TX_api* pTX_api, int x, int y, int interpolation)
{
    return sharedResult(pTX_api, [&] { return TX_image_resize(x, y, interpolation); });
}

TX_api* TX_image::rotate(TX_api* pTX_api, int x, int y, int degree)
{
    return sharedResult(pTX_api, [&] { return TX_image_rotate(x, y, degree); });
}

TX_api* TX_image::scale(TX_api* pTX_api, int x, int y, int interpolation)
{
    return sharedResult(pTX_api, [&] { return TX_image_scale(x, y, interpolation); });
}

TX_api* TX_image::read(QString path)
{
    TX_api* record = newRecord();
    TX_image_free();
    const bool ok = TX_image_read(path.toUtf8().constData());
    record->image = ok ? sharedRecord()->image : QImage();
    return record;
}

QScriptValue TX_image::rect(int x, int y, QScriptValue width, QScriptValue height)
{
    QScriptEngine* engine = vantor::scriptEngine();
    if (!engine)
        return QScriptValue();
    QScriptValue topLeft = engine->newObject();
    topLeft.setProperty(QStringLiteral("x"), QScriptValue(x));
    topLeft.setProperty(QStringLiteral("y"), QScriptValue(y));
    QScriptValue bottomRight = engine->newObject();
    bottomRight.setProperty(QStringLiteral("x"), width);
    bottomRight.setProperty(QStringLiteral("y"), height);
    QScriptValue rectangle = engine->newObject();
    rectangle.setProperty(QStringLiteral("topLeft"), topLeft);
    rectangle.setProperty(QStringLiteral("bottomRight"), bottomRight);
    return rectangle;
}

QScriptValue TX_image::save(TX_api* pTX_api, QString savePath, QString format, int quality)
{
    if (!hasImage(pTX_api))
        return QScriptValue(false);
    prepare(pTX_api);
    return QScriptValue(TX_image_save(savePath.toUtf8().constData(), format.toUtf8().constData(),
                                      quality));
}

QScriptValue TX_image::toBase64(TX_api* pTX_api, QString format, int quality)
{
    if (!hasImage(pTX_api))
        return QScriptValue(false);
    prepare(pTX_api);
    // The block stays the engine's (listed in its shared record).
    const char* text = TX_image_toBase64(format.toUtf8().constData(), quality);
    if (!text)
        return QScriptValue(false);
    return QScriptValue(QString::fromLatin1(text));
}

QScriptValue TX_image::toBytes(TX_api* pTX_api, QString format, int quality)
{
    if (!hasImage(pTX_api))
        return QScriptValue(0);
    QScriptEngine* engine = vantor::scriptEngine();
    if (!engine)
        return QScriptValue(0);
    prepare(pTX_api);
    unsigned char* block = nullptr;
    int length = TX_image_toBytes(&block, format.toUtf8().constData(), quality);
    if (!block || length < 0)
        length = 0;
    // The block stays the engine's (listed in its shared record).
    const QByteArray bytes(reinterpret_cast<const char*>(block), length);
    QScriptValue container = engine->newVariant(QVariant(bytes));
    for (int i = 0; i < length; ++i)
        container.setProperty(static_cast<quint32>(i), QScriptValue(int(static_cast<signed char>(bytes[i]))));
    container.setProperty(QStringLiteral("length"), QScriptValue(length));
    container.setProperty(QStringLiteral("size()"), QScriptValue(length));
    return container;
}

}  // namespace vantor
