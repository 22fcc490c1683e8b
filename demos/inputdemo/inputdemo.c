/* The cs family: the Home key, every button operation of the three mouse
 * buttons at one point, a move and a drag, then Windows+E. */
#include <stdio.h>

#include "demo_engine.h"

/* Key codes are Windows virtual-key codes on every system. */
enum { VK_LWIN = 0x5B, VK_E = 0x45 };

typedef void (*point_action)(int x, int y);

static void (*cs_home)(void);
static point_action cs_mouseLeftClick, cs_mouseLeftDoubleClick, cs_mouseLeftDown, cs_mouseLeftUp;
static point_action cs_mouseRightClick, cs_mouseRightDoubleClick, cs_mouseRightDown, cs_mouseRightUp;
static point_action cs_mouseMiddleClick, cs_mouseMiddleDoubleClick, cs_mouseMiddleDown, cs_mouseMiddleUp;
static point_action cs_mouseMove;
static void (*cs_mouseDrag)(int x, int y, int x1, int y1);
static void (*cs_keyPress)(int code);
static void (*cs_keyDown)(int code);
static void (*cs_keyUp)(int code);

static const struct demo_symbol symbols[] = {
    DEMO_SYMBOL("TX_cs_home", cs_home),
    DEMO_SYMBOL("TX_cs_mouseLeftClick", cs_mouseLeftClick),
    DEMO_SYMBOL("TX_cs_mouseLeftDoubleClick", cs_mouseLeftDoubleClick),
    DEMO_SYMBOL("TX_cs_mouseLeftDown", cs_mouseLeftDown),
    DEMO_SYMBOL("TX_cs_mouseLeftUp", cs_mouseLeftUp),
    DEMO_SYMBOL("TX_cs_mouseRightClick", cs_mouseRightClick),
    DEMO_SYMBOL("TX_cs_mouseRightDoubleClick", cs_mouseRightDoubleClick),
    DEMO_SYMBOL("TX_cs_mouseRightDown", cs_mouseRightDown),
    DEMO_SYMBOL("TX_cs_mouseRightUp", cs_mouseRightUp),
    DEMO_SYMBOL("TX_cs_mouseMiddleClick", cs_mouseMiddleClick),
    DEMO_SYMBOL("TX_cs_mouseMiddleDoubleClick", cs_mouseMiddleDoubleClick),
    DEMO_SYMBOL("TX_cs_mouseMiddleDown", cs_mouseMiddleDown),
    DEMO_SYMBOL("TX_cs_mouseMiddleUp", cs_mouseMiddleUp),
    DEMO_SYMBOL("TX_cs_mouseMove", cs_mouseMove),
    DEMO_SYMBOL("TX_cs_mouseDrag", cs_mouseDrag),
    DEMO_SYMBOL("TX_cs_keyPress", cs_keyPress),
    DEMO_SYMBOL("TX_cs_keyDown", cs_keyDown),
    DEMO_SYMBOL("TX_cs_keyUp", cs_keyUp),
};

static void run(void)
{
    /* Click, double-click, down and up of the left, right and middle buttons. */
    const point_action* const buttons[][4] = {
        {&cs_mouseLeftClick, &cs_mouseLeftDoubleClick, &cs_mouseLeftDown, &cs_mouseLeftUp},
        {&cs_mouseRightClick, &cs_mouseRightDoubleClick, &cs_mouseRightDown, &cs_mouseRightUp},
        {&cs_mouseMiddleClick, &cs_mouseMiddleDoubleClick, &cs_mouseMiddleDown, &cs_mouseMiddleUp},
    };

    cs_home();
    for (int button = 0; button < 3; ++button)
        for (int action = 0; action < 4; ++action)
            (*buttons[button][action])(30, 30);
    cs_mouseMove(30, 500);
    cs_mouseDrag(30, 30, 30, 230);
    /* Windows+E opens the file explorer. */
    cs_keyDown(VK_LWIN);
    cs_keyPress(VK_E);
    cs_keyUp(VK_LWIN);
}

int main(void)
{
    demo_library* engine = demo_open_engine(symbols, DEMO_COUNT(symbols), DEMO_SILENT_LOAD_FAILURE);
    if (!engine)
        return 0;
    run();
    demo_free(engine);
    return 0;
}
