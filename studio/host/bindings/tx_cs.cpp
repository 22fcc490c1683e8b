#include "tx_cs.h"

#include "held_input.h"
#include "tavix.h"

namespace vantor {

namespace {

using Input = HeldInput::Input;

HeldInput& held()
{
    return HeldInput::instance();
}

// The engine's input calls answer nothing: each one acts.
template <class Call>
void press(Input input, Call call)
{
    held().press(input, [&] {
        call();
        return true;
    });
}

// Clicks, drags and key taps end with their button or key up, whatever it was before.
template <class Call>
void lift(Input input, Call call)
{
    held().lift({input}, [&] {
        call();
        return true;
    });
}

const Input kLeft = HeldInput::button(HeldInput::Left);
const Input kRight = HeldInput::button(HeldInput::Right);
const Input kMiddle = HeldInput::button(HeldInput::Middle);

}  // namespace

void TX_cs::home()
{
    // Windows+D: both keys go down and up again.
    held().lift({HeldInput::key(0x5B), HeldInput::key(0x44)}, [] {
        TX_cs_home();
        return true;
    });
}
void TX_cs::mouseLeftClick(int x, int y)
{
    lift(kLeft, [&] { TX_cs_mouseLeftClick(x, y); });
}
void TX_cs::mouseLeftDoubleClick(int x, int y)
{
    lift(kLeft, [&] { TX_cs_mouseLeftDoubleClick(x, y); });
}
void TX_cs::mouseLeftDown(int x, int y)
{
    press(kLeft, [&] { TX_cs_mouseLeftDown(x, y); });
}
void TX_cs::mouseLeftUp(int x, int y)
{
    lift(kLeft, [&] { TX_cs_mouseLeftUp(x, y); });
}
void TX_cs::mouseRightClick(int x, int y)
{
    lift(kRight, [&] { TX_cs_mouseRightClick(x, y); });
}
void TX_cs::mouseRightDoubleClick(int x, int y)
{
    lift(kRight, [&] { TX_cs_mouseRightDoubleClick(x, y); });
}
void TX_cs::mouseRightDown(int x, int y)
{
    press(kRight, [&] { TX_cs_mouseRightDown(x, y); });
}
void TX_cs::mouseRightUp(int x, int y)
{
    lift(kRight, [&] { TX_cs_mouseRightUp(x, y); });
}
void TX_cs::mouseMiddleClick(int x, int y)
{
    lift(kMiddle, [&] { TX_cs_mouseMiddleClick(x, y); });
}
void TX_cs::mouseMiddleDoubleClick(int x, int y)
{
    lift(kMiddle, [&] { TX_cs_mouseMiddleDoubleClick(x, y); });
}
void TX_cs::mouseMiddleDown(int x, int y)
{
    press(kMiddle, [&] { TX_cs_mouseMiddleDown(x, y); });
}
void TX_cs::mouseMiddleUp(int x, int y)
{
    lift(kMiddle, [&] { TX_cs_mouseMiddleUp(x, y); });
}
void TX_cs::mouseMove(int x, int y)
{
    held().neutral([&] { TX_cs_mouseMove(x, y); });
}
void TX_cs::mouseDrag(int x, int y, int x1, int y1)
{
    lift(kLeft, [&] { TX_cs_mouseDrag(x, y, x1, y1); });
}
void TX_cs::keyPress(int code)
{
    lift(HeldInput::key(code), [&] { TX_cs_keyPress(code); });
}
void TX_cs::keyDown(int code)
{
    press(HeldInput::key(code), [&] { TX_cs_keyDown(code); });
}
void TX_cs::keyUp(int code)
{
    lift(HeldInput::key(code), [&] { TX_cs_keyUp(code); });
}

}  // namespace vantor
