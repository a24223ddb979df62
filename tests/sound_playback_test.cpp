// Sound on POSIX systems, proven by what was played: SDL's disk driver writes
// every sample the device plays to a file, which the tests read back. The test
// sounds are ramps, so order and continuity show sample by sample.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "host_areas.h"
#include "wait_until.h"
#include "wav_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 8000;          // frames per second of the test sounds
constexpr int kLengthA = 1600;       // 0.2 s, values 1..1600
constexpr int kFirstB = 10001;       // sound B: values 10001..12400
constexpr int kLengthB = 2400;       // 0.3 s
constexpr int16_t kLevelC = 0x4000;  // sound C, converted: a constant level

std::vector<int16_t> NonSilent(const std::vector<int16_t>& samples) {
  std::vector<int16_t> out;
  std::copy_if(samples.begin(), samples.end(), std::back_inserter(out),
               [](int16_t s) { return s != 0; });
  return out;
}

// Whether `samples` are sound A played over and over from its start.
bool IsLoopOfA(const std::vector<int16_t>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (samples[i] != static_cast<int16_t>(i % kLengthA + 1)) {
      return false;
    }
  }
  return true;
}

class SoundPlayback : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("zol-sound-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    output_ = dir_ / "played.raw";
    // Set before the library first loads SDL; no other thread runs yet.
    // NOLINTBEGIN(concurrency-mt-unsafe)
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    // NOLINTEND(concurrency-mt-unsafe)
    // Characters of two, three and four bytes in UTF-8 on the way to sound A.
    soundA_ = dir_ / u8"d\u00edr \u97f3" / u8"T\u00f6ne \U0001F514 a.wav";
    soundB_ = dir_ / "b.wav";
    fs::create_directories(soundA_.parent_path());
    WriteWav16(soundA_, kRate, Ramp(1, kLengthA));
    WriteWav16(soundB_, kRate, Ramp(kFirstB, kLengthB));
  }

  static void TearDownTestSuite() {
    Stop();
    WaitUntil([] { return !OutputOpen(); });
    fs::remove_all(dir_);
  }

  // Each test starts with the device closed and no output.
  void SetUp() override {
    ASSERT_TRUE(WaitUntil([] { return !OutputOpen(); }));
    fs::remove(output_);
  }

  static void Play(const fs::path& file, int32_t loop) { Play(file.u16string(), loop); }
  static void Play(const std::u16string& name, int32_t loop) {
    HostAreas areas;
    areas.SetString(0, name);
    areas.SetInteger(0, loop);
    ASSERT_EQ(areas.Call(ZOL_FN_PLAY_SOUND_FILE), ZOL_STATUS_OK);
  }

  static void Stop() {
    HostAreas areas;
    ASSERT_EQ(areas.Call(ZOL_FN_STOP_SOUND), ZOL_STATUS_OK);
  }

  // Whether the device has its output file open: from the device's opening to
  // its closing, which follows half a second after the last sound ended.
  static bool OutputOpen() {
    std::error_code error;
    const fs::directory_iterator fds("/proc/self/fd", error);
    return std::any_of(fs::begin(fds), fs::end(fds), [&error](const fs::directory_entry& fd) {
      return fs::read_symlink(fd.path(), error) == output_;
    });
  }

  // Every sample written so far.
  static std::vector<int16_t> Played() {
    std::ifstream in(output_, std::ios::binary);
    std::vector<int16_t> samples;
    int16_t sample;
    while (in.read(reinterpret_cast<char*>(&sample), sizeof sample)) {
      samples.push_back(sample);
    }
    return samples;
  }

  // Waits for the device to have played at least `count` sound samples.
  static bool WaitForSound(std::size_t count) {
    return WaitUntil([count] { return NonSilent(Played()).size() >= count; });
  }

  // Waits for the device to close, and returns all it played.
  static std::vector<int16_t> PlayedInTheEnd() {
    EXPECT_TRUE(WaitUntil([] { return fs::exists(output_) && !OutputOpen(); }));
    return Played();
  }

  static inline fs::path dir_;
  static inline fs::path output_;
  static inline fs::path soundA_;
  static inline fs::path soundB_;
};

TEST_F(SoundPlayback, PlaysAFileOnceFromStartToEnd) {
  Stop();  // nothing plays: no effect
  for (int32_t loop : {0, 2, -1}) {
    Play(soundA_, loop);
    EXPECT_EQ(NonSilent(PlayedInTheEnd()), Ramp(1, kLengthA)) << "loop flag " << loop;
    fs::remove(output_);
  }
}

TEST_F(SoundPlayback, LoopFlagOneRepeatsUntilStopped) {
  Play(soundA_, 1);
  ASSERT_TRUE(WaitForSound(std::size_t{3} * kLengthA));
  Stop();
  // The device closes only after half a second of silence: the loop ended.
  const auto played = NonSilent(PlayedInTheEnd());
  EXPECT_GE(played.size(), 3U * kLengthA);
  EXPECT_TRUE(IsLoopOfA(played));
}

TEST_F(SoundPlayback, NewRequestReplacesWhatPlays) {
  Play(soundA_, 1);
  ASSERT_TRUE(WaitForSound(std::size_t{2} * kLengthA));
  Play(soundB_, 0);
  const auto played = NonSilent(PlayedInTheEnd());
  const auto b = std::find_if(played.begin(), played.end(), [](int16_t s) { return s >= kFirstB; });
  const std::vector<int16_t> loop(played.begin(), b);
  EXPECT_GE(loop.size(), 2U * kLengthA);
  EXPECT_TRUE(IsLoopOfA(loop));
  EXPECT_EQ(std::vector<int16_t>(b, played.end()), Ramp(kFirstB, kLengthB));
}

TEST_F(SoundPlayback, FileThatCannotPlayStopsTheSoundAndPlaysNothing) {
  const fs::path notWav = dir_ / "not-a-sound.wav";
  std::ofstream(notWav) << "RIFF, but not really";
  for (const fs::path& bad : {dir_ / "missing.wav", fs::path(), notWav, dir_}) {
    Play(soundA_, 1);
    ASSERT_TRUE(WaitForSound(kLengthA));
    Play(bad, 0);
    // Sound A stopped, then silence: no default sound, nothing else.
    const auto played = NonSilent(PlayedInTheEnd());
    EXPECT_TRUE(IsLoopOfA(played)) << bad;
    fs::remove(output_);
  }
}

// A unit that is not half of a surrogate pair names U+FFFD in the file name;
// the pairs at both ends of the range name one character each.
TEST_F(SoundPlayback, UnpairedSurrogatesInANameNameTheReplacementCharacter) {
  const struct {
    std::u16string units;
    std::u8string utf8;
  } names[] = {{u"\xD800", u8"\uFFFD"},
               {u"\xDBFF", u8"\uFFFD"},
               {u"\xDC00", u8"\uFFFD"},
               {u"\xDFFF", u8"\uFFFD"},
               {u"\xDFFF\xD800", u8"\uFFFD\uFFFD"},
               {u"\xD800\xDC00", u8"\U00010000"},
               {u"\xDBFF\xDFFF", u8"\U0010FFFF"}};
  std::vector<int16_t> expected;
  for (const auto& name : names) {
    const auto sound = Ramp(20001 + static_cast<int>(expected.size()), 200);
    WriteWav16(dir_ / (u8"x" + name.utf8 + u8"y.wav"), kRate, sound);
    Play(dir_.u16string() + u"/x" + name.units + u"y.wav", 0);
    expected.insert(expected.end(), sound.begin(), sound.end());
    ASSERT_TRUE(WaitForSound(expected.size())) << "units " << std::hex << +name.units[0];
  }
  EXPECT_EQ(NonSilent(PlayedInTheEnd()), expected);
}

TEST_F(SoundPlayback, SoundIsConvertedToTheDevicesFormat) {
  // C: 8-bit unsigned stereo at twice the rate, a constant level of 0xC0.
  const fs::path soundC = dir_ / "c.wav";
  constexpr int kFramesC = 4000;  // 0.25 s
  WriteWav(soundC, 2 * kRate, 2, 8, std::vector<uint8_t>(std::size_t{2} * kFramesC, 0xC0));
  Play(soundA_, 1);  // opens the device at 8000 Hz, 16-bit mono
  ASSERT_TRUE(WaitForSound(kLengthA));
  Play(soundC, 0);
  const auto played = NonSilent(PlayedInTheEnd());
  const auto c = std::find_if(played.begin(), played.end(), [](int16_t s) { return s > 8000; });
  const std::vector<int16_t> converted(c, played.end());
  // A quarter of a second at the device's rate, at the level 0xC0 stands for.
  EXPECT_NEAR(static_cast<double>(converted.size()), kFramesC / 2.0, kFramesC / 20.0);
  const auto level = std::count_if(converted.begin(), converted.end(),
                                   [](int16_t s) { return std::abs(s - kLevelC) < 500; });
  EXPECT_GE(level, kFramesC / 2 * 9 / 10);
}

// A FIFO holds the sound thread in reading the file for as long as the test
// likes: the caller goes on meanwhile, and its newest request is what plays.
TEST_F(SoundPlayback, CallerNeverWaitsForTheSoundThread) {
  const fs::path fifo = dir_ / "slow.wav";
  const fs::path soundD = dir_ / "d.wav";  // what the FIFO delivers, late
  WriteWav16(soundD, kRate, Ramp(20001, 800));
  std::ifstream d(soundD, std::ios::binary);
  const std::string dBytes{std::istreambuf_iterator<char>(d), {}};
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  Play(soundA_, 1);
  ASSERT_TRUE(WaitForSound(kLengthA));
  Play(fifo, 0);
  // A writer can open once the sound thread has the FIFO open; it then waits
  // in its read for as long as the writer sends nothing.
  int writer = -1;
  ASSERT_TRUE(WaitUntil([&] {
    writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    return writer >= 0;
  }));
  const std::size_t heldAt = Played().size();
  auto play = std::async(std::launch::async, [&] { Play(soundB_, 0); });
  const bool returned = play.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  // Two seconds of output while the thread is held.
  const bool ran = WaitUntil([&] { return Played().size() >= heldAt + std::size_t{2} * kRate; });
  const bool sent =
      write(writer, dBytes.data(), dBytes.size()) == static_cast<ssize_t>(dBytes.size());
  close(writer);
  ASSERT_TRUE(returned) << "PlaySoundFile waited for the sound thread";
  ASSERT_TRUE(ran);
  ASSERT_TRUE(sent);

  // A stopped before the FIFO was read, and stayed silent while the thread was
  // held; D, overtaken by B while it loaded, never played; B did.
  const auto played = PlayedInTheEnd();
  const auto lastA = std::find_if(played.rbegin(), played.rend(),
                                  [](int16_t s) { return s > 0 && s <= kLengthA; });
  const auto firstB = std::find(played.begin(), played.end(), static_cast<int16_t>(kFirstB));
  ASSERT_NE(firstB, played.end());
  EXPECT_GE(firstB - lastA.base(), kRate) << "samples of silence between A and B";
  const auto sounds = NonSilent(played);
  const auto b = std::find(sounds.begin(), sounds.end(), static_cast<int16_t>(kFirstB));
  EXPECT_TRUE(IsLoopOfA({sounds.begin(), b}));
  EXPECT_EQ(std::vector<int16_t>(b, sounds.end()), Ramp(kFirstB, kLengthB));
}

}  // namespace
