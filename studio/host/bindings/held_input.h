// What the script bindings have pressed and not yet released: mouse buttons
// and keys, in the order they went down. The X server (and Windows) keep an
// injected press down after the injecting process is gone, so whatever a
// run leaves held is released when it ends, however it ends.
#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <vector>

namespace vantor {

class HeldInput {
public:
    enum class Kind { Button, Key };
    enum Button { Left, Right, Middle };
    struct Input {
        Kind kind;
        int code;  // a Button, or a virtual-key code (low 8 bits)
        bool operator==(const Input& other) const
        {
            return kind == other.kind && code == other.code;
        }
    };
    static Input button(Button which) { return {Kind::Button, which}; }
    static Input key(int code) { return {Kind::Key, code & 0xFF}; }

    // The one record of the process: the desktop's input is one, too.
    static HeldInput& instance();

    // Runs one engine input call and notes what it left down or up. The call
    // and the note are one step under the lock, so a release from another
    // thread never falls between a press and its note. `call` answers whether
    // the engine acted; nothing is noted when it did not.
    bool press(Input input, const std::function<bool()>& call);
    bool lift(std::initializer_list<Input> inputs, const std::function<bool()>& call);
    // A call that leaves every button and key as it was.
    void neutral(const std::function<void()>& call);

    bool isHeld(Input input) const;
    bool empty() const;

    // Releases everything still held, the last pressed first, through the
    // engine's own up calls (buttons where the pointer is now), writes one
    // debug line naming them and returns that line; empty when nothing was held.
    // `last` runs before the lock is given up, so that no press can come
    // between the release and it (a process that ends there).
    QString releaseAll(const std::function<void()>& last = nullptr);

    // "left mouse button", "key 16 (Shift)", ...
    static QString nameOf(Input input);

private:
    HeldInput() = default;
    QString releaseHeld();  // under the lock

    mutable std::mutex mutex_;
    std::vector<Input> held_;
};

}  // namespace vantor
