// Sound on POSIX systems: requests go to one sound thread, which loads the file
// and drives the audio device, so the caller never waits for either.
//
// The thread starts with the first play and ends when the library is unloaded
// (or the process exits), closing the device first. The service always does
// what the file-name, no-default and asynchronous flags ask; of the flags, only
// the loop flag changes anything here.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/sound_player.h"
#include "platform/posix/utf.h"

namespace zol::platform {

namespace {

struct Request {
  std::optional<std::string> path;  // UTF-8; none for a stop
  bool loop = false;
  uint64_t number = 0;
};

class SoundService {
 public:
  SoundService() = default;
  SoundService(const SoundService&) = delete;
  SoundService& operator=(const SoundService&) = delete;
  ~SoundService();

  // Queues `request` in place of any request not yet taken up.
  void Submit(Request request);

 private:
  void Run();
  void Serve(SoundPlayer& player);
  void StartThread();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Request> pending_;
  bool quit_ = false;
  std::thread thread_;
  std::atomic<uint64_t> latest_{0};
};

SoundService::~SoundService() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void SoundService::Submit(Request request) {
  {
    std::lock_guard lock(mutex_);
    request.number = ++latest_;
    if (!thread_.joinable()) {
      if (!request.path) {
        return;  // nothing has ever played: nothing to stop
      }
      StartThread();
    }
    pending_ = std::move(request);
  }
  wake_.notify_one();
}

// The thread takes no asynchronous signals: they stay with the host's threads.
void SoundService::StartThread() {
  sigset_t blocked;
  sigset_t previous;
  sigfillset(&blocked);
  for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT}) {
    sigdelset(&blocked, fault);
  }
  pthread_sigmask(SIG_SETMASK, &blocked, &previous);
  try {
    thread_ = std::thread(&SoundService::Run, this);
  } catch (...) {
    // No thread to be had: requests are dropped and nothing plays.
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void SoundService::Run() {
  {
    SoundPlayer player(latest_);
    Serve(player);
  }  // the device closes here
  sdl::EndThread();
}

void SoundService::Serve(SoundPlayer& player) {
  std::unique_lock lock(mutex_);
  const auto woken = [this] { return quit_ || pending_.has_value(); };
  while (!quit_) {
    if (player.DeviceOpen()) {
      // Look in now and then to close the device once the sound has ended.
      wake_.wait_for(lock, std::chrono::milliseconds(100), woken);
    } else {
      wake_.wait(lock, woken);
    }
    if (quit_) {
      break;
    }
    std::optional<Request> request = std::exchange(pending_, std::nullopt);
    lock.unlock();
    try {
      if (!request) {
        player.CloseIfIdle();
      } else if (request->path) {
        player.Play(*request->path, request->loop, request->number);
      } else {
        player.Stop();
      }
    } catch (...) {
      // Out of memory while loading: that sound does not play.
    }
    lock.lock();
  }
}

SoundService service;

}  // namespace

void RequestSound(const char16_t* sound, uint32_t flags) noexcept {
  try {
    Request request;
    if (sound != nullptr) {
      request.path = Utf8FromUtf16(sound);
      request.loop = (flags & kSoundLoop) != 0;
    }
    service.Submit(std::move(request));
  } catch (...) {
    // Out of memory for the request: it is dropped.
  }
}

}  // namespace zol::platform
