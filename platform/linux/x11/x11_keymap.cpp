#include "x11_keymap.h"

#include <array>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace tavix::platform::x11 {

namespace {

struct KeyName {
    std::uint8_t vk;
    unsigned long keysym;
};

// Codes that are not a plain run of letters, digits, function keys or keypad digits.
constexpr KeyName kNamedKeys[] = {
    {0x03, XK_Cancel},      {0x08, XK_BackSpace},   {0x09, XK_Tab},
    {0x0C, XK_Clear},       {0x0D, XK_Return},      {0x10, XK_Shift_L},
    {0x11, XK_Control_L},   {0x12, XK_Alt_L},       {0x13, XK_Pause},
    {0x14, XK_Caps_Lock},   {0x1B, XK_Escape},      {0x20, XK_space},
    {0x21, XK_Prior},       {0x22, XK_Next},        {0x23, XK_End},
    {0x24, XK_Home},        {0x25, XK_Left},        {0x26, XK_Up},
    {0x27, XK_Right},       {0x28, XK_Down},        {0x29, XK_Select},
    {0x2A, XK_Print},       {0x2B, XK_Execute},     {0x2C, XK_Print},
    {0x2D, XK_Insert},      {0x2E, XK_Delete},      {0x2F, XK_Help},
    {0x5B, XK_Super_L},     {0x5C, XK_Super_R},     {0x5D, XK_Menu},
    {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},      {0x6C, XK_KP_Separator},
    {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal},  {0x6F, XK_KP_Divide},
    {0x90, XK_Num_Lock},    {0x91, XK_Scroll_Lock}, {0xA0, XK_Shift_L},
    {0xA1, XK_Shift_R},     {0xA2, XK_Control_L},   {0xA3, XK_Control_R},
    {0xA4, XK_Alt_L},       {0xA5, XK_Alt_R},
    {0xAD, XF86XK_AudioMute},        {0xAE, XF86XK_AudioLowerVolume},
    {0xAF, XF86XK_AudioRaiseVolume}, {0xB0, XF86XK_AudioNext},
    {0xB1, XF86XK_AudioPrev},        {0xB2, XF86XK_AudioStop},
    {0xB3, XF86XK_AudioPlay},
    // OEM punctuation keys of the US layout.
    {0xBA, XK_semicolon},   {0xBB, XK_equal},       {0xBC, XK_comma},
    {0xBD, XK_minus},       {0xBE, XK_period},      {0xBF, XK_slash},
    {0xC0, XK_grave},       {0xDB, XK_bracketleft}, {0xDC, XK_backslash},
    {0xDD, XK_bracketright}, {0xDE, XK_apostrophe}, {0xE2, XK_less},
};

struct KeyRun {
    std::uint8_t firstVk, lastVk;
    unsigned long firstKeysym;
};

constexpr KeyRun kRuns[] = {
    {0x30, 0x39, XK_0},     // digits
    {0x41, 0x5A, XK_a},     // letters type lower case, as the unshifted key does
    {0x60, 0x69, XK_KP_0},  // numpad digits
    {0x70, 0x87, XK_F1},    // F1..F24
};

std::array<unsigned long, 256> buildTable()
{
    std::array<unsigned long, 256> table{};
    for (const KeyRun& run : kRuns)
        for (int vk = run.firstVk; vk <= run.lastVk; ++vk)
            table[vk] = run.firstKeysym + (vk - run.firstVk);
    for (const KeyName& key : kNamedKeys)
        table[key.vk] = key.keysym;
    return table;
}

}  // namespace

unsigned long keysymForVirtualKey(std::uint8_t vk)
{
    static const std::array<unsigned long, 256> table = buildTable();
    return table[vk];
}

}  // namespace tavix::platform::x11
