// The services the operations take from the operating system: a monotonic tick
// counter, the system's message texts and a sound player.
//
// One implementation per platform (posix/, win32/) is chosen by the build; the
// tests link a fake one to drive the operations with values they control. Every
// function is noexcept: nothing thrown may reach the host through DoZolFunction.
#pragma once

#include <cstdint>
#include <span>

namespace zol::platform {

// The current value of the monotonic tick counter.
int64_t ReadTickCounter() noexcept;

// Ticks per second of ReadTickCounter; fixed while the system runs.
int64_t ReadTickFrequency() noexcept;

// Writes the system's message text for `code` into `text`. Returns false when
// the system has none; `text` may then hold anything. On success the text is
// zero-terminated when it fits, and fills `text` unterminated when it does not.
bool ReadSystemMessage(uint32_t code, std::span<char16_t> text) noexcept;

// Sound request flags, valued as the Windows multimedia API's own.
inline constexpr uint32_t kSoundAsync = 0x0001;      // return while the sound plays
inline constexpr uint32_t kSoundNoDefault = 0x0002;  // no stand-in sound on failure
inline constexpr uint32_t kSoundLoop = 0x0008;       // repeat until stopped
inline constexpr uint32_t kSoundFileName = 0x20000;  // `sound` names a file

// Starts playing the sound file `sound` (zero-terminated 16-bit units) as the
// one sound of the process, stopping whatever played before. A null `sound`
// stops playing. Returns at once; playing goes on in the background.
void RequestSound(const char16_t* sound, uint32_t flags) noexcept;

}  // namespace zol::platform
