// The audio device: opened for the first sound, fed from memory by SDL's audio
// thread, closed again once it has played silence for a while.
#include "platform/posix/sound_player.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>

namespace zol::platform {

namespace {

constexpr Uint16 kDeviceFrames = 1024;  // frames per device buffer

std::size_t BytesPerFrame(SDL_AudioFormat format, Uint8 channels) {
  return static_cast<std::size_t>(SDL_AUDIO_BITSIZE(format) / 8) * channels;
}

// The whole of the file at `path`, or nothing when it cannot be read, is not a
// RIFF WAVE file or is too large for SDL. Read here rather than by SDL, so that
// files that cannot seek (pipes) play too.
std::vector<Uint8> ReadWaveFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<Uint8> bytes(12);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), 12) ||
      std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return {};
  }
  constexpr std::size_t kChunk = 1 << 16;
  while (in) {
    const std::size_t at = bytes.size();
    bytes.resize(at + kChunk);
    in.read(reinterpret_cast<char*>(bytes.data() + at), kChunk);
    bytes.resize(at + static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > INT_MAX) {
      return {};
    }
  }
  return bytes;
}

// Holds off a fork while the sound thread calls into SDL. At its end it frees
// what SDL keeps for the thread (its error text): a fork then finds none, which
// the child, lacking the thread, could never free.
class SdlSection {
 public:
  explicit SdlSection(std::mutex& calls) : lock_(calls) {}
  ~SdlSection() { sdl::FreeThreadData(); }
  SdlSection(const SdlSection&) = delete;
  SdlSection& operator=(const SdlSection&) = delete;

 private:
  std::lock_guard<std::mutex> lock_;
};

}  // namespace

void SoundPlayer::Play(const std::string& path, bool loop, uint64_t request) {
  Stop();
  std::vector<Uint8> file = ReadWaveFile(path);  // outside the lock: a file may be slow
  if (file.empty()) {
    return;
  }
  const SdlSection section(sdlCalls_);
  bool restarted = false;
  sdl_ = sdl::OpenAudio(restarted);
  if (sdl_ == nullptr) {
    return;
  }
  if (restarted) {
    // SDL audio was shut down under us (by the host), and our device with it.
    device_ = 0;
    std::vector<Uint8>().swap(sound_);
  }
  SDL_AudioSpec format{};
  Uint32 size = 0;
  Uint8* data = Decode(file, format, size);
  std::vector<Uint8>().swap(file);  // decoded: the file's own bytes can go
  if (data == nullptr) {
    return;
  }
  std::vector<Uint8> sound;
  // A newer request makes this one moot: skip opening and converting.
  if (latest_.load() == request && (DeviceOpen() || Open(format))) {
    sound = Convert(data, size, format);
  }
  sdl_->FreeWAV(data);
  if (!sound.empty()) {
    Install(std::move(sound), loop);
  }
}

// The samples of the WAV file `file`, as SDL decoded them (free them with
// FreeWAV), or null.
Uint8* SoundPlayer::Decode(const std::vector<Uint8>& file, SDL_AudioSpec& format,
                           Uint32& size) const {
  Uint8* data = nullptr;
  SDL_RWops* source = sdl_->RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (source == nullptr || sdl_->LoadWAV_RW(source, 1, &format, &data, &size) == nullptr) {
    return nullptr;
  }
  return data;
}

void SoundPlayer::Stop() {
  const SdlSection section(sdlCalls_);
  Install({}, false);
}

void SoundPlayer::CloseIfIdle() {
  const SdlSection section(sdlCalls_);
  if (device_ != 0 && idleFrames_.load() >= static_cast<uint64_t>(deviceFormat_.freq) / 2) {
    CloseDevice();
  }
}

void SoundPlayer::Close() {
  const SdlSection section(sdlCalls_);
  CloseDevice();
}

bool SoundPlayer::Open(const SDL_AudioSpec& format) {
  SDL_AudioSpec wanted{};
  wanted.freq = format.freq;
  wanted.format = format.format;
  wanted.channels = format.channels;
  wanted.samples = kDeviceFrames;
  wanted.callback = &SoundPlayer::Feed;
  wanted.userdata = this;
  device_ = sdl_->OpenAudioDevice(nullptr, 0, &wanted, &deviceFormat_, SDL_AUDIO_ALLOW_ANY_CHANGE);
  if (device_ == 0) {
    return false;
  }
  sdl_->PauseAudioDevice(device_, 0);
  return true;
}

void SoundPlayer::CloseDevice() {
  if (device_ != 0) {
    sdl_->CloseAudioDevice(device_);  // returns once the device's thread has ended
    device_ = 0;
  }
  std::vector<Uint8>().swap(sound_);
}

void SoundPlayer::Install(std::vector<Uint8> sound, bool loop) {
  if (device_ == 0) {
    return;
  }
  sdl_->LockAudioDevice(device_);
  sound_.swap(sound);
  position_ = 0;
  loop_ = loop;
  idleFrames_ = 0;
  sdl_->UnlockAudioDevice(device_);
}

// The sound converted to the device's format, in whole frames; empty when it
// cannot be converted.
std::vector<Uint8> SoundPlayer::Convert(Uint8* data, Uint32 size,
                                        const SDL_AudioSpec& format) const {
  SDL_AudioCVT cvt{};
  if (sdl_->BuildAudioCVT(&cvt, format.format, format.channels, format.freq, deviceFormat_.format,
                          deviceFormat_.channels, deviceFormat_.freq) < 0) {
    return {};
  }
  const std::size_t bytes = size - size % BytesPerFrame(format.format, format.channels);
  if (bytes == 0 || bytes > static_cast<std::size_t>(INT_MAX / cvt.len_mult)) {
    return {};
  }
  try {
    std::vector<Uint8> sound(bytes * static_cast<std::size_t>(cvt.len_mult));
    std::memcpy(sound.data(), data, bytes);
    cvt.buf = sound.data();
    cvt.len = static_cast<int>(bytes);
    cvt.len_cvt = cvt.len;
    if (cvt.needed != 0 && sdl_->ConvertAudio(&cvt) != 0) {
      return {};
    }
    sound.resize(static_cast<std::size_t>(cvt.len_cvt));
    sound.resize(sound.size() - sound.size() % FrameBytes());
    return sound;
  } catch (...) {
    return {};  // out of memory: nothing plays
  }
}

std::size_t SoundPlayer::FrameBytes() const {
  return BytesPerFrame(deviceFormat_.format, deviceFormat_.channels);
}

void SDLCALL SoundPlayer::Feed(void* player, Uint8* stream, int length) {
  static_cast<SoundPlayer*>(player)->FeedDevice(stream, static_cast<std::size_t>(length));
}

// Runs on SDL's audio thread with the device lock held.
void SoundPlayer::FeedDevice(Uint8* stream, std::size_t length) {
  std::size_t filled = 0;
  while (filled < length && !sound_.empty()) {
    if (position_ == sound_.size()) {
      if (!loop_) {
        break;
      }
      position_ = 0;
    }
    const std::size_t count = std::min(length - filled, sound_.size() - position_);
    std::memcpy(stream + filled, sound_.data() + position_, count);
    position_ += count;
    filled += count;
  }
  std::memset(stream + filled, deviceFormat_.silence, length - filled);
  if (filled == 0) {
    idleFrames_ += length / FrameBytes();
  } else {
    idleFrames_ = 0;
  }
}

}  // namespace zol::platform
