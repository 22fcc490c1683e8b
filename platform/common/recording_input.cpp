#include "tavix/platform/recording_input.h"

#include <cstdio>
#include <fstream>

namespace tavix::platform {

namespace {
std::string format(const char* pattern, std::int64_t a, std::int64_t b, std::int64_t c,
                   std::int64_t d, std::int64_t e)
{
    char line[160];
    std::snprintf(line, sizeof line, pattern, static_cast<long long>(a), static_cast<long long>(b),
                  static_cast<long long>(c), static_cast<long long>(d), static_cast<long long>(e));
    return line;
}
}  // namespace

std::string InputCall::text() const
{
    switch (kind) {
    case SetCursorPos:
        return format("SetCursorPos(%lld,%lld)%.0lld%.0lld%.0lld", a, b, 0, 0, 0);
    case MouseEvent:
        return format("mouse_event(0x%llx,%lld,%lld,%lld,%lld)", a, b, c, d, e);
    case KeybdEvent:
        return format("keybd_event(0x%02llx,0x%02llx,0x%llx,%lld)%.0lld", a, b, c, d, 0);
    }
    return {};
}

bool InputCall::operator==(const InputCall& other) const
{
    return kind == other.kind && a == other.a && b == other.b && c == other.c && d == other.d
        && e == other.e;
}

RecordingInput::RecordingInput(std::uintptr_t extraInfo, std::string logPath)
    : extraInfo_(extraInfo), logPath_(std::move(logPath))
{
}

void RecordingInput::setCursorPos(int x, int y)
{
    record({InputCall::SetCursorPos, x, y});
}

void RecordingInput::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                                std::uint32_t data, std::uintptr_t extraInfo)
{
    record({InputCall::MouseEvent, flags, dx, dy, data, static_cast<std::int64_t>(extraInfo)});
}

void RecordingInput::keybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                                std::uintptr_t extraInfo)
{
    record({InputCall::KeybdEvent, vk, scan, flags, static_cast<std::int64_t>(extraInfo)});
}

std::uintptr_t RecordingInput::messageExtraInfo()
{
    return extraInfo_;
}

std::vector<InputCall> RecordingInput::calls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

std::vector<std::string> RecordingInput::lines() const
{
    std::vector<std::string> out;
    for (const InputCall& call : calls())
        out.push_back(call.text());
    return out;
}

void RecordingInput::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
}

void RecordingInput::record(const InputCall& call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(call);
    if (!logPath_.empty()) {
        std::ofstream log(logPath_, std::ios::app);
        log << call.text() << '\n';
    }
}

}  // namespace tavix::platform
