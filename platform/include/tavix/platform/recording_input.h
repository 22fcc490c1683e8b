// An input backend that injects nothing and logs every call with its exact
// arguments, so that tests can check the sequences the engine produces.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tavix/platform/input.h"

namespace tavix::platform {

struct InputCall {
    enum Kind { SetCursorPos, MouseEvent, KeybdEvent };
    Kind kind;
    std::int64_t a = 0, b = 0, c = 0, d = 0, e = 0;

    // "SetCursorPos(30,30)", "mouse_event(0x8002,30,30,0,0)", "keybd_event(0x45,0x00,0x1,0)"
    std::string text() const;
    bool operator==(const InputCall& other) const;
};

class RecordingInput : public InputBackend {
public:
    // `extraInfo` is what messageExtraInfo() answers; `logPath`, when not empty,
    // receives each call's text as one line as well.
    explicit RecordingInput(std::uintptr_t extraInfo = 0, std::string logPath = {});

    void setCursorPos(int x, int y) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                    std::uintptr_t extraInfo) override;
    void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::uintptr_t messageExtraInfo() override;

    std::vector<InputCall> calls() const;
    std::vector<std::string> lines() const;
    void clear();

private:
    void record(const InputCall& call);

    std::uintptr_t extraInfo_;
    std::string logPath_;
    mutable std::mutex mutex_;
    std::vector<InputCall> calls_;
};

}  // namespace tavix::platform
