// One audio device and the one sound it plays, driven from the sound thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/posix/sdl_audio.h"

namespace zol::platform {

class SoundPlayer {
 public:
  // `latestRequest` numbers the newest play or stop request: a sound whose
  // request has been overtaken while it loaded is not played.
  explicit SoundPlayer(const std::atomic<uint64_t>& latestRequest) : latest_(latestRequest) {}
  ~SoundPlayer() { CloseDevice(); }
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Loads the WAV file `path` (UTF-8) and plays it, once or looping, for
  // request `request`; nothing plays when it cannot. Either way, whatever
  // played before has stopped.
  void Play(const std::string& path, bool loop, uint64_t request);
  void Stop();

  bool DeviceOpen() const { return device_ != 0; }
  // Closes the device once it has played nothing for half a second.
  void CloseIfIdle();
  // Closes the device; call it on the sound thread before the thread ends.
  void Close();

  // Waits until no call into SDL is under way and holds off further ones,
  // until ResumeSdlCalls (from the same thread).
  void HoldSdlCalls() { sdlCalls_.lock(); }
  void ResumeSdlCalls() { sdlCalls_.unlock(); }

 private:
  static void SDLCALL Feed(void* player, Uint8* stream, int length);
  void FeedDevice(Uint8* stream, std::size_t length);
  bool Open(const SDL_AudioSpec& format);
  void CloseDevice();
  // Replaces the sound the device plays; the old one is freed outside the lock.
  void Install(std::vector<Uint8> sound, bool loop);
  Uint8* Decode(const std::vector<Uint8>& file, SDL_AudioSpec& format, Uint32& size) const;
  std::vector<Uint8> Convert(Uint8* data, Uint32 size, const SDL_AudioSpec& format) const;
  std::size_t FrameBytes() const;

  const std::atomic<uint64_t>& latest_;
  std::mutex sdlCalls_;  // held by the player's calls into SDL
  const sdl::Api* sdl_ = nullptr;
  SDL_AudioDeviceID device_ = 0;
  SDL_AudioSpec deviceFormat_{};  // the device's own format

  // Shared with the device's thread; changed only under the device lock.
  std::vector<Uint8> sound_;
  std::size_t position_ = 0;
  bool loop_ = false;
  // Frames of silence played since a sound last played.
  std::atomic<uint64_t> idleFrames_{0};
};

}  // namespace zol::platform
