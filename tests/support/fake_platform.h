// A platform the tests control, linked with the operations in place of the
// real one: a tick counter and frequency they set, message texts they choose,
// and a record of the sound requests made.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fake_platform {

void SetCounter(int64_t ticks);
void SetFrequency(int64_t ticksPerSecond);

// The next message reads succeed with `text`: as much of it as fits in the
// caller's buffer, terminated only when there is room, as a real platform may
// leave a text that does not fit.
void SetMessage(const std::u16string& text);
// The next message reads fail, leaving `garbage` repeated over the whole
// buffer with no terminator, as a failing system call may.
void SetMessageFailure(const std::u16string& garbage);
// The code of the last message read.
uint32_t LastMessageCode();

struct SoundRequest {
  std::optional<std::u16string> sound;  // none: a null sound
  uint32_t flags = 0;
};
// The sound requests made since the last call, oldest first.
std::vector<SoundRequest> TakeSoundRequests();

}  // namespace fake_platform
