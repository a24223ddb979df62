// Sound on POSIX systems: requests go to one sound thread, which loads the file
// and drives the audio device, so the caller never waits for either.
//
// The thread starts with the first play and ends when the library is unloaded
// (or the process exits), closing the device first. The service always does
// what the file-name, no-default and asynchronous flags ask; of the flags, only
// the loop flag changes anything here.
//
// After a fork the child has a copy of the service but neither the sound thread
// nor SDL's audio thread for the parent's device. The child leaves all of that
// alone, for good: joining, closing or even destroying it would wait for
// threads that do not exist there. Its own first play starts its own thread and
// device; until then nothing plays in the child, while the parent plays on.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
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

// A sound thread with its request slot and its player: all that a process
// abandons when it forks.
struct SoundThread {
  explicit SoundThread(const std::atomic<uint64_t>& latestRequest) : player(latestRequest) {}

  pthread_t thread{};
  std::condition_variable wake;
  std::optional<Request> pending;
  bool quit = false;
  SoundPlayer player;
  SoundThread* abandonedBefore = nullptr;  // the one a fork left behind before this one
};

class SoundService {
 public:
  SoundService() = default;
  SoundService(const SoundService&) = delete;
  SoundService& operator=(const SoundService&) = delete;
  ~SoundService();

  // Queues `request` in place of any request not yet taken up.
  void Submit(Request request);

  // The sound thread's body.
  void Run(SoundThread& thread);

  // Around a fork: the child gets the service and SDL at rest, and abandons
  // what belongs to the parent's threads.
  void BeforeFork();
  void AfterForkInParent();
  void AfterForkInChild();

 private:
  void Serve(SoundThread& thread);
  bool StartThread();

  std::mutex mutex_;
  std::atomic<uint64_t> latest_{0};
  std::unique_ptr<SoundThread> thread_;  // none until this process first plays
  // Kept, never touched: what earlier forks left of the parents' sound threads.
  SoundThread* abandoned_ = nullptr;
  bool forkHandlersSet_ = false;
};

SoundService service;

void* RunSoundThread(void* thread) {
  service.Run(*static_cast<SoundThread*>(thread));
  return nullptr;
}

SoundService::~SoundService() {
  SoundThread* thread = nullptr;
  {
    std::lock_guard lock(mutex_);
    thread = thread_.get();
    if (thread == nullptr) {
      return;
    }
    thread->quit = true;
  }
  thread->wake.notify_one();
  pthread_join(thread->thread, nullptr);
}

void SoundService::Submit(Request request) {
  SoundThread* thread = nullptr;
  {
    std::lock_guard lock(mutex_);
    request.number = ++latest_;
    if (!thread_ && (!request.path || !StartThread())) {
      return;  // nothing has played in this process, or no thread: nothing to do
    }
    thread = thread_.get();
    thread->pending = std::move(request);
  }
  thread->wake.notify_one();
}

// Starts the sound thread; false when there is none to be had, in which case
// nothing plays. The thread takes no asynchronous signals: they stay with the
// host's threads. The fork handlers come with the first thread, so that a host
// that never plays has none.
bool SoundService::StartThread() {
  if (!forkHandlersSet_) {
    forkHandlersSet_ =
        pthread_atfork([] { service.BeforeFork(); }, [] { service.AfterForkInParent(); },
                       [] { service.AfterForkInChild(); }) == 0;
    if (!forkHandlersSet_) {
      return false;  // a child would wait for this thread at exit
    }
  }
  auto thread = std::make_unique<SoundThread>(latest_);
  sigset_t blocked;
  sigset_t previous;
  sigfillset(&blocked);
  for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT}) {
    sigdelset(&blocked, fault);
  }
  pthread_sigmask(SIG_SETMASK, &blocked, &previous);
  const int error = pthread_create(&thread->thread, nullptr, &RunSoundThread, thread.get());
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (error != 0) {
    return false;
  }
  thread_ = std::move(thread);
  return true;
}

void SoundService::Run(SoundThread& thread) {
  pthread_setname_np(pthread_self(), "zol-sound");  // for top -H, gdb and /proc
  Serve(thread);
  thread.player.Close();
}

void SoundService::Serve(SoundThread& thread) {
  std::unique_lock lock(mutex_);
  const auto woken = [&thread] { return thread.quit || thread.pending.has_value(); };
  while (!thread.quit) {
    if (thread.player.DeviceOpen()) {
      // Look in now and then to close the device once the sound has ended.
      thread.wake.wait_for(lock, std::chrono::milliseconds(100), woken);
    } else {
      thread.wake.wait(lock, woken);
    }
    if (thread.quit) {
      break;
    }
    std::optional<Request> request = std::exchange(thread.pending, std::nullopt);
    lock.unlock();
    try {
      if (!request) {
        thread.player.CloseIfIdle();
      } else if (request->path) {
        thread.player.Play(*request->path, request->loop, request->number);
      } else {
        thread.player.Stop();
      }
    } catch (...) {
      // Out of memory while loading: that sound does not play.
    }
    lock.lock();
  }
}

// No caller is inside the service and the sound thread is not inside SDL, so
// SDL's state and locks are whole in the child. A wait here lasts one SDL call
// at most: reading a sound file does not hold up a fork.
void SoundService::BeforeFork() {
  mutex_.lock();
  if (thread_) {
    thread_->player.HoldSdlCalls();
  }
}

void SoundService::AfterForkInParent() {
  if (thread_) {
    thread_->player.ResumeSdlCalls();
  }
  mutex_.unlock();
}

// The parent's thread, its request and its device stay as they are, kept where
// they can be found rather than freed: they are only memory here.
void SoundService::AfterForkInChild() {
  if (thread_) {
    thread_->abandonedBefore = abandoned_;
    abandoned_ = thread_.release();
  }
  mutex_.unlock();
}

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
