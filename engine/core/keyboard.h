// Key presses through the platform's input backend.
#pragma once

namespace tavix {

class Keyboard {
public:
    // `code` is a virtual-key code; only its low 8 bits count.
    void press(int code);
    void down(int code);
    void up(int code);
    // Windows+D: shows the desktop.
    void home();
};

}  // namespace tavix
