// The X11 global key: a passive grab of one key combination on the root
// window, made on an X connection of its own and served by a thread of its
// own, so that presses arrive while the program's other threads are busy and
// whichever window has the focus.
#include "tavix/platform/global_key.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "common/native.h"
#include "x11_keymap.h"

namespace tavix::platform {

namespace {

// X protocol error code of a grab that another client already holds.
constexpr std::uint8_t kBadAccess = 10;

struct ModifierBit {
    unsigned flag;
    std::uint16_t mask;
};
constexpr ModifierBit kModifierBits[] = {
    {modifier::kShift, XCB_MOD_MASK_SHIFT},
    {modifier::kControl, XCB_MOD_MASK_CONTROL},
    {modifier::kAlt, XCB_MOD_MASK_1},
    {modifier::kMeta, XCB_MOD_MASK_4},
};

std::uint16_t modifierMask(unsigned flags)
{
    std::uint16_t mask = 0;
    for (const ModifierBit& bit : kModifierBits)
        if (flags & bit.flag)
            mask |= bit.mask;
    return mask;
}

// The key codes that carry `keysym` in any column of the keyboard mapping.
std::vector<xcb_keycode_t> keycodesFor(xcb_connection_t* connection, xcb_keysym_t keysym)
{
    std::vector<xcb_keycode_t> codes;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
    if (!reply)
        return codes;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int column = 0; column < perCode; ++column) {
            if (syms[code * perCode + column] == keysym) {
                codes.push_back(static_cast<xcb_keycode_t>(setup->min_keycode + code));
                break;
            }
        }
    }
    std::free(reply);
    return codes;
}

// The modifier bit that Num Lock sets (Mod2 on common layouts).
std::uint16_t numLockMask(xcb_connection_t* connection)
{
    const std::vector<xcb_keycode_t> numLock = keycodesFor(connection, XK_Num_Lock);
    xcb_get_modifier_mapping_reply_t* reply =
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr);
    if (!reply)
        return XCB_MOD_MASK_2;
    std::uint16_t mask = 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifierIndex = 0; modifierIndex < 8 && !mask; ++modifierIndex)
        for (int i = 0; i < perModifier; ++i)
            for (xcb_keycode_t code : numLock)
                if (code && codes[modifierIndex * perModifier + i] == code)
                    mask = static_cast<std::uint16_t>(1u << modifierIndex);
    std::free(reply);
    return mask ? mask : XCB_MOD_MASK_2;
}

class X11GlobalKey final : public GlobalKeyGrab {
public:
    X11GlobalKey(xcb_connection_t* connection, xcb_window_t root, std::function<void()> onPress)
        : connection_(connection), root_(root), onPress_(std::move(onPress))
    {
    }

    ~X11GlobalKey() override
    {
        if (thread_.joinable()) {
            const std::uint64_t one = 1;
            [[maybe_unused]] ssize_t written = ::write(wake_, &one, sizeof one);
            thread_.join();
        }
        for (const Grab& grab : grabs_)
            xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers);
        xcb_flush(connection_);
        xcb_disconnect(connection_);
        if (wake_ >= 0)
            ::close(wake_);
    }

    // Grabs every key code of `keysym` with `mask`, also with Caps Lock and
    // Num Lock on, since X matches a grab's modifiers exactly.
    bool grab(xcb_keysym_t keysym, std::uint16_t mask, std::string* error)
    {
        const std::vector<xcb_keycode_t> codes = keycodesFor(connection_, keysym);
        if (codes.empty()) {
            *error = "the key has no key code on this keyboard";
            return false;
        }
        const std::uint16_t numLock = numLockMask(connection_);
        const std::uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, numLock,
                                       static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
        for (xcb_keycode_t code : codes) {
            for (std::uint16_t lock : locks) {
                const std::uint16_t modifiers = mask | lock;
                xcb_generic_error_t* failure = xcb_request_check(
                    connection_,
                    xcb_grab_key_checked(connection_, 1, root_, modifiers, code,
                                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
                if (failure) {
                    const bool taken = failure->error_code == kBadAccess;
                    std::free(failure);
                    *error = taken ? "the key combination is taken by another program"
                                   : "the X server refused the key grab";
                    return false;
                }
                grabs_.push_back({code, modifiers});
            }
        }
        return true;
    }

    bool start(std::string* error)
    {
        wake_ = ::eventfd(0, EFD_CLOEXEC);
        if (wake_ < 0) {
            *error = "no event descriptor for the key thread";
            return false;
        }
        thread_ = std::thread([this] { serve(); });
        return true;
    }

private:
    struct Grab {
        xcb_keycode_t keycode;
        std::uint16_t modifiers;
    };

    bool isOurs(const xcb_key_press_event_t* press) const
    {
        for (const Grab& grab : grabs_)
            // Pointer buttons held during the press show in the upper bits.
            if (grab.keycode == press->detail && grab.modifiers == (press->state & 0xff))
                return true;
        return false;
    }

    void serve()
    {
        pollfd fds[2] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {wake_, POLLIN, 0}};
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                if ((event->response_type & 0x7f) == XCB_KEY_PRESS
                    && isOurs(reinterpret_cast<xcb_key_press_event_t*>(event)))
                    onPress_();
                std::free(event);
            }
            if (xcb_connection_has_error(connection_))
                return;
            if (::poll(fds, 2, -1) < 0)
                continue;
            if (fds[1].revents & POLLIN)
                return;
        }
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::function<void()> onPress_;
    std::vector<Grab> grabs_;
    int wake_ = -1;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<GlobalKeyGrab> native::createGlobalKeyGrab(KeyCombination keys,
                                                           std::function<void()> onPress,
                                                           std::string* error)
{
    const unsigned long keysym = x11::keysymForVirtualKey(keys.virtualKey);
    if (keysym == 0) {
        *error = "the key has no X key symbol";
        return nullptr;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        *error = "no X display to grab the key on";
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        *error = "the X display has no such screen";
        return nullptr;
    }
    auto grab = std::make_unique<X11GlobalKey>(connection, screens.data->root, std::move(onPress));
    if (!grab->grab(static_cast<xcb_keysym_t>(keysym), modifierMask(keys.modifiers), error)
        || !grab->start(error))
        return nullptr;
    return grab;
}

}  // namespace tavix::platform
