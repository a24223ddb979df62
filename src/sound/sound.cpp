// PlaySoundFile and StopSound: hand a sound file, once or looping, or a stop
// request to the platform's sound service, which plays on after the call.
#include <array>
#include <cstdint>
#include <cstring>

#include "dispatch/operations.h"
#include "platform/platform.h"

namespace zol {

namespace {

constexpr uint32_t kPlayOnce =
    platform::kSoundFileName | platform::kSoundNoDefault | platform::kSoundAsync;
static_assert(kPlayOnce == 0x00020003);

}  // namespace

void PlaySoundFile(const CallerAreas& areas) {
  // The name, copied out of StringSlot 0 and always terminated within it: an
  // unterminated slot is cut to 255 units rather than read past its end.
  std::array<char16_t, ZOL_TEXT_UNITS> name;
  std::memcpy(name.data(), StringSlotAddress(areas, 0), sizeof name);
  name.back() = u'\0';
  uint32_t flags = kPlayOnce;
  if (ReadSlotInteger(areas, 0) == 1) {
    flags |= platform::kSoundLoop;
  }
  platform::RequestSound(name.data(), flags);
}

void StopSound(const CallerAreas&) {
  platform::RequestSound(nullptr, 0);
}

}  // namespace zol
