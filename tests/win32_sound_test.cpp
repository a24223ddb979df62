// Sound in the Windows DLL, loaded as a host loads it: PlaySoundW's requests
// return at once with status 0, and unloading the DLL leaves winmm (whose
// thread may still be playing) pinned in the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "wav_file.h"
#include "zolutilities.h"

namespace {

namespace fs = std::filesystem;

class Dll {
 public:
  Dll() : module_(LoadLibraryW(L"ZolUtilities.dll")) {
    if (module_ != nullptr) {
      entry_ = reinterpret_cast<ZolFunctionPointer>(
          reinterpret_cast<void*>(GetProcAddress(module_, "DoZolFunction")));
    }
  }
  ~Dll() { Unload(); }
  bool Loaded() const { return entry_ != nullptr; }
  void Unload() {
    if (module_ != nullptr) {
      FreeLibrary(module_);
      module_ = nullptr;
      entry_ = nullptr;
    }
  }

  int32_t Play(const fs::path& file, int32_t loop) {
    ZolParameterBlock block{};
    const std::u16string name = file.u16string();
    std::copy(name.begin(), name.end(), block.text[0]);
    ZolSetInteger(&block, 0, loop);
    return Call(ZOL_FN_PLAY_SOUND_FILE, block);
  }
  int32_t Stop() {
    ZolParameterBlock block{};
    return Call(ZOL_FN_STOP_SOUND, block);
  }

 private:
  int32_t Call(int32_t function, ZolParameterBlock& block) {
    unsigned char value[ZOL_RESULT_VALUE_SIZE] = {};
    uint16_t text[ZOL_RESULT_TEXT_UNITS] = {};
    return entry_(function, &block, value, text);
  }

  HMODULE module_;
  ZolFunctionPointer entry_ = nullptr;
};

TEST(Win32Sound, RequestsReturnZeroAndWinmmStaysPinnedAfterUnload) {
  // Nothing but the DLL brings winmm into this process.
  ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr);
  const fs::path sound =
      fs::temp_directory_path() / ("zol-sound-" + std::to_string(GetCurrentProcessId()) + ".wav");
  WriteWav16(sound, 8000, Ramp(1, 4000));

  Dll dll;
  ASSERT_TRUE(dll.Loaded());
  EXPECT_EQ(dll.Stop(), ZOL_STATUS_OK);  // nothing playing
  EXPECT_EQ(dll.Play(sound, 0), ZOL_STATUS_OK);
  EXPECT_EQ(dll.Play(sound.parent_path() / "missing.wav", 0), ZOL_STATUS_OK);
  EXPECT_EQ(dll.Play(fs::path(), 2), ZOL_STATUS_OK);
  EXPECT_EQ(dll.Play(sound, 1), ZOL_STATUS_OK);
  EXPECT_EQ(dll.Stop(), ZOL_STATUS_OK);
  EXPECT_EQ(dll.Play(sound, 1), ZOL_STATUS_OK);  // still looping at unload

  dll.Unload();
  EXPECT_EQ(GetModuleHandleW(L"ZolUtilities.dll"), nullptr) << "the DLL was not unloaded";
  EXPECT_NE(GetModuleHandleW(L"winmm.dll"), nullptr) << "winmm was unloaded with the DLL";
  Sleep(200);  // winmm's thread runs on with the DLL gone

  // Stop the loop through winmm itself, so that the file can go.
  using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  const auto playSound = reinterpret_cast<PlaySoundFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"winmm.dll"), "PlaySoundW")));
  ASSERT_NE(playSound, nullptr);
  playSound(nullptr, nullptr, 0);
  std::error_code ignored;
  fs::remove(sound, ignored);
}

}  // namespace
