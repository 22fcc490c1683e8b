// Key presses through the platform's input backend.
#pragma once

namespace tavix::core {

// `code` is a virtual-key code; only its low 8 bits count.
void keyPress(int code);
void keyDown(int code);
void keyUp(int code);
// Windows+D: shows the desktop.
void home();

}  // namespace tavix::core
