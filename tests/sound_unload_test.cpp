// Unloading the library while a sound loops, as a host that loads plug-ins with
// dlopen may: the library shuts its device and thread down first, and can be
// loaded and play again afterwards.
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "wait_until.h"
#include "wav_file.h"
#include "zolutilities.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::uintmax_t SizeOf(const fs::path& file) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  return error ? 0 : size;
}

TEST(SoundUnload, UnloadingWhileASoundLoopsShutsItDown) {
  const fs::path dir = fs::temp_directory_path() / ("zol-unload-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path sound = dir / "loop.wav";
  const fs::path output = dir / "played.raw";
  WriteWav16(sound, 8000, Ramp(1, 800));
  // Set before the library is first loaded; no other thread runs yet.
  // NOLINTBEGIN(concurrency-mt-unsafe)
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
  // NOLINTEND(concurrency-mt-unsafe)

  for (int round = 0; round < 2; ++round) {
    fs::remove(output);
    void* library = dlopen(ZOL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry = reinterpret_cast<ZolFunctionPointer>(dlsym(library, "DoZolFunction"));
    ASSERT_NE(entry, nullptr);

    ZolParameterBlock block{};
    unsigned char value[ZOL_RESULT_VALUE_SIZE] = {};
    uint16_t text[ZOL_RESULT_TEXT_UNITS] = {};
    const std::u16string name = sound.u16string();
    std::copy(name.begin(), name.end(), block.text[0]);
    ZolSetInteger(&block, 0, 1);  // loop
    ASSERT_EQ(entry(ZOL_FN_PLAY_SOUND_FILE, &block, value, text), ZOL_STATUS_OK);
    // The loop is playing: SDL's audio thread is running the library's code.
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(output) >= std::uintmax_t{4} * 800 * 2; }))
        << "round " << round;

    ASSERT_EQ(dlclose(library), 0);
    // Really unmapped, not merely released. Should it still be there, this took
    // a reference, which is given back.
    void* still = dlopen(ZOL_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(still, nullptr) << "round " << round;
    if (still != nullptr) {
      dlclose(still);
    }
    // The device was closed on the way out: its output has stopped growing.
    const auto size = SizeOf(output);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(SizeOf(output), size);
  }
  fs::remove_all(dir);
}

}  // namespace
