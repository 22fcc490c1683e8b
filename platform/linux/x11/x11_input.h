// Input injection through the XTest extension.
#pragma once

#include "tavix/platform/input.h"
#include "x11_connection.h"

namespace tavix::platform::x11 {

class Input : public InputBackend {
public:
    explicit Input(Connection& connection);

    void setCursorPos(int x, int y) override;
    void mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                    std::uintptr_t extraInfo) override;
    void keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::uintptr_t messageExtraInfo() override { return 0; }

private:
    void motion(int rootX, int rootY);
    void button(unsigned int button, bool down);
    void wheel(std::int32_t delta, unsigned int up, unsigned int down);

    Connection& connection_;
};

}  // namespace tavix::platform::x11
