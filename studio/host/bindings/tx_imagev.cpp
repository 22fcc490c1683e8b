#include "tx_imagev.h"

#include <optional>

#include "held_input.h"
#include "script_values.h"
#include "tavix.h"

namespace vantor {

namespace {

using Plain = bool (*)(const char*);
using InRect = bool (*)(int, int, int, int, const char*);

// An on-screen action: the whole screen without a rectangle; within the
// rectangle when it lies on the screen; no call (false) otherwise.
QScriptValue act(Plain plain, InRect inRect, const QString& imgdata, const QScriptValue& rectValue)
{
    const QByteArray data = imgdata.toUtf8();
    const std::optional<vantor::Corners> area =
        vantor::readRect(rectValue, vantor::RectMeaning::OriginAndSize);
    if (!area)
        return QScriptValue(plain(data.constData()));
    const int width = TX_device_width();
    const int height = TX_device_height();
    if (area->x1 > width || area->x2 > width || area->y1 > height || area->y2 > height)
        return QScriptValue(false);
    return QScriptValue(inRect(area->x1, area->y1, area->x2, area->y2, data.constData()));
}

// What an action that found its picture leaves its button: down, or up
// (a click ends with the button up, whatever it was before).
enum class Leaves { Down, Up };

QScriptValue heldAct(HeldInput::Button button, Leaves leaves, Plain plain, InRect inRect,
                     const QString& imgdata, const QScriptValue& rectValue)
{
    QScriptValue result;
    const auto call = [&] {
        result = act(plain, inRect, imgdata, rectValue);
        return result.toBool();
    };
    const HeldInput::Input input = HeldInput::button(button);
    if (leaves == Leaves::Down)
        HeldInput::instance().press(input, call);
    else
        HeldInput::instance().lift({input}, call);
    return result;
}

}  // namespace

#define VANTOR_IMAGEV_ACTION(name, button, leaves)                              \
    QScriptValue TX_imagev::name(QString imgdata, QScriptValue rectValue)       \
    {                                                                           \
        return heldAct(HeldInput::button, Leaves::leaves, TX_imagev_##name,     \
                       TX_imagev_##name##Rect, imgdata, rectValue);             \
    }                                                                           \
    QScriptValue TX_imagev::name##Rect(QString imgdata, QScriptValue rectValue) \
    {                                                                           \
        return name(imgdata, rectValue);                                        \
    }

VANTOR_IMAGEV_ACTION(mouseLeftClick, Left, Up)
VANTOR_IMAGEV_ACTION(mouseLeftDoubleClick, Left, Up)
VANTOR_IMAGEV_ACTION(mouseLeftDown, Left, Down)
VANTOR_IMAGEV_ACTION(mouseLeftUp, Left, Up)
VANTOR_IMAGEV_ACTION(mouseRightClick, Right, Up)
VANTOR_IMAGEV_ACTION(mouseRightDoubleClick, Right, Up)
VANTOR_IMAGEV_ACTION(mouseRightDown, Right, Down)
VANTOR_IMAGEV_ACTION(mouseRightUp, Right, Up)

QScriptValue TX_imagev::findImage(QString imgdata, QScriptValue rectValue)
{
    const QByteArray data = imgdata.toUtf8();
    const std::optional<vantor::Corners> area =
        vantor::readRect(rectValue, vantor::RectMeaning::OriginAndSize);
    const vantor::Corners corners =
        area ? *area : vantor::Corners{0, 0, TX_device_width(), TX_device_height()};
    int x = -1;
    int y = -1;
    if (!TX_imagev_findImage(corners.x1, corners.y1, corners.x2, corners.y2, data.constData(), &x, &y))
        return QScriptValue(QScriptValue::UndefinedValue);
    return vantor::pointValue(x, y);
}

}  // namespace vantor
