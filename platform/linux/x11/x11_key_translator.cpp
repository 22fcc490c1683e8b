#include "x11_key_translator.h"

#include <unordered_map>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "x11/x11_keymap.h"

namespace tavix::platform::x11 {

namespace {

std::unordered_map<unsigned long, std::uint8_t> buildInverse()
{
    std::unordered_map<unsigned long, std::uint8_t> inverse;
    for (int vk = 1; vk < 256; ++vk) {
        const unsigned long keysym = keysymForVirtualKey(std::uint8_t(vk));
        if (keysym != NoSymbol)
            inverse.emplace(keysym, std::uint8_t(vk));  // the lowest code keeps the keysym
    }
    // Print Screen is VK_SNAPSHOT; the older VK_PRINT shares its keysym.
    inverse[XK_Print] = 0x2C;
    return inverse;
}

}  // namespace

std::uint8_t virtualKeyForKeysym(unsigned long keysym)
{
    static const std::unordered_map<unsigned long, std::uint8_t> inverse = buildInverse();
    const auto found = inverse.find(keysym);
    return found == inverse.end() ? 0 : found->second;
}

void KeyTranslator::load(Display* display)
{
    for (auto& group : table_)
        group.fill(0);
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    XkbDescPtr keyboard = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!keyboard)
        return;
    for (int code = minCode; code <= maxCode && code < 256; ++code) {
        const int groups = XkbKeyNumGroups(keyboard, code);
        for (int group = 0; group < 4; ++group) {
            // Keys with fewer groups than the layout wrap around, as the server does.
            const int keyGroup = groups > 0 ? group % groups : 0;
            const int levels = groups > 0 ? XkbKeyGroupWidth(keyboard, code, keyGroup) : 0;
            // The first level whose virtual key injects on this very key: a German
            // ß key records as the backslash of its third level, which the injection
            // finds on the ß key again.
            for (int level = 0; level < levels; ++level) {
                const KeySym keysym = XkbKeySymEntry(keyboard, code, level, keyGroup);
                const std::uint8_t vk = virtualKeyForKeysym(keysym);
                if (vk != 0 && XKeysymToKeycode(display, keysymForVirtualKey(vk)) == code) {
                    table_[group][code] = vk;
                    break;
                }
            }
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
}

std::uint8_t KeyTranslator::virtualKey(unsigned int keycode, unsigned int group) const
{
    if (keycode > 255)
        return 0;
    return table_[group & 3][keycode];
}

}  // namespace tavix::platform::x11
