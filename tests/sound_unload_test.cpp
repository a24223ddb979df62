// Unloading and forking, as hosts that load plug-ins with dlopen and fork
// workers do. Unloading while a sound loops shuts the device and thread down
// first, and the library can be loaded and play again afterwards. A forked
// child ends promptly whatever it does, and leaves the parent's sound playing.
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "wait_until.h"
#include "wav_file.h"
#include "zolutilities.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kLoop = 800;    // frames of the test sound, a ramp of values 1..800
constexpr int kRate = 32000;  // its frames per second: the device's buffers last 32 ms

std::uintmax_t SizeOf(const fs::path& file) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  return error ? 0 : size;
}

// The samples in `output` from byte `from` on.
std::vector<int16_t> SamplesFrom(const fs::path& output, std::uintmax_t from) {
  std::ifstream in(output, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<int16_t> samples;
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) {
    samples.push_back(sample);
  }
  return samples;
}

// Whether the loop goes on in `output`: after any silence (a device plays some
// while it opens), the next two rounds of the test sound's ramp follow.
bool LoopPlaysOn(const fs::path& output) {
  const auto from = SizeOf(output) / 2 * 2;
  std::vector<int16_t> next;
  const bool played = WaitUntil([&] {
    next = SamplesFrom(output, from);
    next.erase(next.begin(), std::find_if(next.begin(), next.end(), [](int16_t s) { return s; }));
    return next.size() >= std::size_t{2} * kLoop;
  });
  const auto broken = [](int16_t sample, int16_t after) { return after != sample % kLoop + 1; };
  return played && std::adjacent_find(next.begin(), next.end(), broken) == next.end();
}

// Whether `output` has stopped growing: the device that wrote it is closed.
bool StoppedGrowing(const fs::path& output) {
  const auto size = SizeOf(output);
  std::this_thread::sleep_for(300ms);
  return SizeOf(output) == size;
}

// Whether a thread of this process is the library's sound thread.
bool SoundThreadRuns() {
  for (const fs::directory_entry& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    if (std::getline(comm, name) && name == "zol-sound") {
      return true;
    }
  }
  return false;
}

bool SdlMapped() {
  std::ifstream maps("/proc/self/maps");
  return std::string(std::istreambuf_iterator<char>(maps), {}).find("libSDL2") != std::string::npos;
}

// The library as a host loads and calls it.
class Library {
 public:
  Library() : handle_(dlopen(ZOL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ != nullptr) {
      entry_ = reinterpret_cast<ZolFunctionPointer>(dlsym(handle_, "DoZolFunction"));
    }
  }
  ~Library() {
    if (handle_ != nullptr) {
      dlclose(handle_);
    }
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool Loaded() const { return entry_ != nullptr; }

  bool Play(const fs::path& file, int32_t loop) {
    block_ = {};
    const std::u16string name = file.u16string();
    std::copy(name.begin(), name.end(), block_.text[0]);
    ZolSetInteger(&block_, 0, loop);
    return entry_(ZOL_FN_PLAY_SOUND_FILE, &block_, value_, text_) == ZOL_STATUS_OK;
  }
  bool Stop() { return entry_(ZOL_FN_STOP_SOUND, &block_, value_, text_) == ZOL_STATUS_OK; }

  // Unloads it; true when it is gone from the process, not merely released.
  bool Unload() {
    if (dlclose(std::exchange(handle_, nullptr)) != 0) {
      return false;
    }
    void* still = dlopen(ZOL_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (still != nullptr) {
      dlclose(still);  // the reference just taken
    }
    return still == nullptr;
  }

 private:
  void* handle_;
  ZolFunctionPointer entry_ = nullptr;
  ZolParameterBlock block_{};
  unsigned char value_[ZOL_RESULT_VALUE_SIZE] = {};
  uint16_t text_[ZOL_RESULT_TEXT_UNITS] = {};
};

// Forks a child that runs `child` and exits, with exit(0) when that returned
// true. Returns its exit status, or -1 when it was killed: by a signal, or here
// because it had not ended within two seconds.
template <typename Child>
int ForkAndWait(const Child& child) {
  (void)std::fflush(stdout);  // or the child's exit would print the buffer again
  const pid_t pid = fork();
  if (pid == 0) {
    std::exit(child() ? 0 : 1);  // NOLINT(concurrency-mt-unsafe): the child's only thread
  }
  int status = 0;
  if (pid < 0 || !WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 2s)) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SoundUnload : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("zol-unload-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    sound_ = dir_ / "loop.wav";
    output_ = dir_ / "played.raw";
    WriteWav16(sound_, kRate, Ramp(1, kLoop));
    // Set before the library is first loaded; no other thread runs yet.
    // NOLINTBEGIN(concurrency-mt-unsafe)
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    // NOLINTEND(concurrency-mt-unsafe)
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  static inline fs::path dir_;
  static inline fs::path sound_;
  static inline fs::path output_;
};

TEST_F(SoundUnload, UnloadingWhileASoundLoopsShutsItDown) {
  for (int round = 0; round < 2; ++round) {
    fs::remove(output_);
    Library library;
    ASSERT_TRUE(library.Loaded()) << dlerror();
    ASSERT_TRUE(library.Play(sound_, 1));
    // The loop is playing: SDL's audio thread is running the library's code.
    ASSERT_TRUE(LoopPlaysOn(output_)) << "round " << round;
    ASSERT_TRUE(library.Unload()) << "round " << round;
    // The device was closed on the way out.
    EXPECT_TRUE(StoppedGrowing(output_)) << "round " << round;
  }
}

// What a child does after the fork, its own sound going to its own `output`.
// From PlaysStopsPlays on, the child starts threads of its own.
enum class Child {
  ExitsAtOnce,
  Stops,
  PlaysStopsPlays,
  UnloadsWhilePlaying,
  ExitsWhileLooping,
  ForksWhileLooping,  // a child of its own then plays and exits, and its loop goes on
};

#if defined(__SANITIZE_THREAD__)
// ThreadSanitizer cannot follow a thread started in the child of a
// multi-threaded process: the new thread reuses the id of one that did not
// survive the fork, which it still counts as running, and it ends the child.
constexpr Child kLastChild = Child::Stops;
#else
constexpr Child kLastChild = Child::ForksWhileLooping;
#endif

// In a child: plays the test sound, looping, into `output`, on its own thread.
bool PlaysItsOwnLoop(Library& library, const fs::path& sound, const fs::path& output) {
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
  return library.Play(sound, 1) && LoopPlaysOn(output) && SoundThreadRuns();
}

bool RunChild(Child what, Library& library, const fs::path& sound, const fs::path& output) {
  if (what == Child::ExitsAtOnce || what == Child::Stops) {
    return what == Child::ExitsAtOnce || library.Stop();
  }
  const bool plays = PlaysItsOwnLoop(library, sound, output);
  switch (what) {
    case Child::PlaysStopsPlays:
      return plays && library.Stop() && library.Play(sound, 0);
    case Child::UnloadsWhilePlaying:
      return plays && library.Unload();
    case Child::ForksWhileLooping: {
      const fs::path itsChild = fs::path(output).concat("-child");
      const auto grandchild = [&] { return PlaysItsOwnLoop(library, sound, itsChild); };
      return plays && ForkAndWait(grandchild) == 0 && LoopPlaysOn(output);
    }
    default:
      return plays;
  }
}

TEST_F(SoundUnload, ForkedChildEndsPromptlyAndLeavesTheParentsSoundAlone) {
  fs::remove(output_);
  Library library;
  ASSERT_TRUE(library.Loaded()) << dlerror();
  ASSERT_TRUE(library.Play(sound_, 1));
  ASSERT_TRUE(LoopPlaysOn(output_));
  EXPECT_TRUE(SoundThreadRuns());
  for (int row = 0; row <= static_cast<int>(kLastChild); ++row) {
    const auto what = static_cast<Child>(row);
    const fs::path output = dir_ / ("child-" + std::to_string(row) + ".raw");
    EXPECT_EQ(ForkAndWait([&] { return RunChild(what, library, sound_, output); }), 0)
        << "child " << row;
    EXPECT_TRUE(LoopPlaysOn(output_)) << "after child " << row;
  }
  // The parent still stops and plays, and unloads promptly.
  ASSERT_TRUE(library.Stop());
  EXPECT_TRUE(WaitUntil([&] { return StoppedGrowing(output_); }));
  ASSERT_TRUE(library.Play(sound_, 1));
  EXPECT_TRUE(LoopPlaysOn(output_));
  ASSERT_TRUE(library.Unload());
  EXPECT_TRUE(StoppedGrowing(output_));
}

// A host that never plays forks as if the library were not there: no sound
// thread and no SDL in either process, a stop in both notwithstanding. It runs
// in a fresh process, which no other test has played in.
TEST_F(SoundUnload, HostThatNeverPlaysForksUntouched) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto untouched = [] { return !SoundThreadRuns() && !SdlMapped(); };
  EXPECT_EXIT(
      {
        Library library;
        const bool stopped = library.Loaded() && library.Stop();
        const int child = ForkAndWait([&] { return library.Stop() && untouched(); });
        std::exit(stopped && child == 0 && untouched() ? 0 : 1);  // NOLINT(concurrency-mt-unsafe)
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
