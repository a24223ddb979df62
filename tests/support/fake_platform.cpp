// The controlled platform behind fake_platform.h.
#include "fake_platform.h"

#include <algorithm>
#include <span>
#include <utility>

#include "platform/platform.h"

namespace {

int64_t counter = 0;
int64_t frequency = 10'000'000;
std::u16string message;
bool messageSucceeds = true;
uint32_t lastCode = 0;
std::vector<fake_platform::SoundRequest> soundRequests;

}  // namespace

namespace fake_platform {

void SetCounter(int64_t ticks) {
  counter = ticks;
}
void SetFrequency(int64_t ticksPerSecond) {
  frequency = ticksPerSecond;
}

void SetMessage(const std::u16string& text) {
  message = text;
  messageSucceeds = true;
}

void SetMessageFailure(const std::u16string& garbage) {
  message = garbage;
  messageSucceeds = false;
}

uint32_t LastMessageCode() {
  return lastCode;
}

std::vector<SoundRequest> TakeSoundRequests() {
  return std::exchange(soundRequests, {});
}

}  // namespace fake_platform

namespace zol::platform {

int64_t ReadTickCounter() noexcept {
  return counter;
}
int64_t ReadTickFrequency() noexcept {
  return frequency;
}

bool ReadSystemMessage(uint32_t code, std::span<char16_t> text) noexcept {
  lastCode = code;
  if (!messageSucceeds) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = message[i % message.size()];
    }
    return false;
  }
  const std::size_t count = std::min(message.size(), text.size());
  std::copy_n(message.begin(), count, text.begin());
  if (count < text.size()) {
    text[count] = u'\0';
  }
  return true;
}

void RequestSound(const char16_t* sound, uint32_t flags) noexcept {
  fake_platform::SoundRequest request;
  if (sound != nullptr) {
    request.sound = std::u16string(sound);
  }
  request.flags = flags;
  soundRequests.push_back(std::move(request));
}

}  // namespace zol::platform
