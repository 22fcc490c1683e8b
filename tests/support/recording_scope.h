// Puts a recording input backend in place for as long as it lives.
#pragma once

#include <memory>

#include "tavix/platform/backends.h"
#include "tavix/platform/recording_input.h"

namespace tavix::test {

class RecordingScope {
public:
    explicit RecordingScope(std::uintptr_t extraInfo = 0)
    {
        auto recorder = std::make_unique<platform::RecordingInput>(extraInfo);
        recorder_ = recorder.get();
        previous_ = platform::replaceInput(std::move(recorder));
    }
    ~RecordingScope() { platform::replaceInput(std::move(previous_)); }
    RecordingScope(const RecordingScope&) = delete;
    RecordingScope& operator=(const RecordingScope&) = delete;

    platform::RecordingInput& recorder() { return *recorder_; }

private:
    platform::RecordingInput* recorder_;
    std::unique_ptr<platform::InputBackend> previous_;
};

}  // namespace tavix::test
