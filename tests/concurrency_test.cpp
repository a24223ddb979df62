// Several threads call every operation at once, each with its own areas, while
// sharing the array store (one array all of them read, one they all write at
// their own indexes) and the sound service. Each thread checks every result it
// gets against what the same calls gave on one thread alone, so a race that
// corrupts a result fails here, and the thread-sanitizer build reports any race
// at all.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "QorDataHost.h"
#include "host_areas.h"
#include "wav_file.h"

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 2000;
constexpr uint16_t kReadArray = 7;    // 1..10, read by every thread
constexpr uint16_t kPackArray = 107;  // 4 elements per thread, written by each

// What one thread's round gives, call by call.
struct RoundResults {
  int32_t unpacked = 0;
  double sum = 0, average = 0;
  int32_t size = 0;
  double arcSine = 0, arcCosine = 0, arcTangent = 0;
  int32_t bits = 0;
  double widened = 0;
  int32_t found = 0, foundNoCase = 0;
  std::u16string lowered, field, message;
  bool elapsedSane = false;
  int32_t statusSum = 0;

  bool operator==(const RoundResults&) const = default;
};

// The text thread t searches: a letter of its own, after three that no
// thread's letter matches in either case.
std::u16string TextOf(int thread) {
  return u"xyz" + std::u16string(1, static_cast<char16_t>(u'A' + thread)) + u",field";
}

RoundResults RunRound(int thread, int round, const std::u16string& soundFile) {
  HostAreas a;
  RoundResults r;
  const auto call = [&a, &r](int32_t fn) { r.statusSum += a.Call(fn); };

  a.SetInteger(0, round * 7919 + thread);  // packed into this thread's 4 elements
  a.SetInteger(1, kPackArray);
  a.SetInteger(2, 4 * thread);
  a.SetInteger(3, 4);
  a.SetInteger(4, thread % 2);
  call(ZOL_FN_WRITE_INTEGER_BYTES);
  a.SetInteger(0, kPackArray);
  a.SetInteger(1, 4 * thread);
  a.SetInteger(2, 4);
  a.SetInteger(3, thread % 2);
  call(ZOL_FN_READ_INTEGER_BYTES);
  r.unpacked = a.ResultInteger() - round * 7919;

  a.SetInteger(0, kReadArray);
  a.SetInteger(1, 0);
  call(ZOL_FN_SUM_ARRAY);
  r.sum = a.ResultDouble();
  call(ZOL_FN_AVERAGE_ARRAY);
  r.average = a.ResultDouble();
  call(ZOL_FN_GET_ARRAY_SIZE);
  r.size = a.ResultInteger();

  a.SetDouble(0, 0.125 * thread);
  call(ZOL_FN_ARC_SINE);
  r.arcSine = a.ResultDouble();
  call(ZOL_FN_ARC_COSINE);
  r.arcCosine = a.ResultDouble();
  call(ZOL_FN_ARC_TANGENT);
  r.arcTangent = a.ResultDouble();
  a.SetInteger(1, thread % 2);
  call(ZOL_FN_FLOAT_TO_INTEGER_BITS);
  r.bits = a.ResultInteger();
  a.SetInteger(0, r.bits);
  call(ZOL_FN_INTEGER_BITS_TO_FLOAT);
  r.widened = a.ResultDouble();

  a.SetString(0, TextOf(thread));
  a.SetString(1, std::u16string(1, static_cast<char16_t>(u'A' + thread)));
  a.SetInteger(0, 0);
  call(ZOL_FN_FIND_STRING);
  r.found = a.ResultInteger();
  call(ZOL_FN_FIND_STRING_NO_CASE);
  r.foundNoCase = a.ResultInteger();
  r.lowered = a.String(0) + u"|" + a.String(1);
  a.SetString(1, u",");
  a.SetInteger(0, 1);
  call(ZOL_FN_GET_STRING_FIELD);
  r.field = a.ResultText();

  call(ZOL_FN_START_TIMER);
  a.SetInteger(2, 0);
  call(ZOL_FN_READ_ELAPSED_TIME);
  r.elapsedSane = a.ResultInteger() >= 0;
  a.SetInteger(0, 2);
  call(ZOL_FN_GET_SYSTEM_ERROR_TEXT);
  r.message = a.ResultText();

  if (round % 10 == thread) {  // every thread plays, loops and stops now and then
    a.SetString(0, round % 20 == thread ? soundFile : u"no-such-file.wav");
    a.SetInteger(0, round % 3 == 0 ? 1 : 0);
    call(ZOL_FN_PLAY_SOUND_FILE);
    call(ZOL_FN_STOP_SOUND);
  }
  return r;
}

TEST(Concurrency, EveryOperationFromSeveralThreadsAtOnce) {
  ASSERT_EQ(CreateArray(kReadArray, 3, 10), 0);
  for (uint16_t i = 0; i < 10; ++i) {
    WriteArrayDataItem(kReadArray, i, i + 1);
  }
  ASSERT_EQ(CreateArray(kPackArray, 3, 4 * kThreads), 0);
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path wav = std::filesystem::temp_directory_path() /
                                    ("zol-concurrency-" + std::to_string(stamp) + ".wav");
  WriteWav16(wav, 8000, Ramp(1, 400));  // 50 ms
  const std::u16string soundFile = wav.u16string();

  // What each thread's calls give on one thread alone (the round number only
  // changes the value packed, which the results leave out, and the sound).
  std::vector<RoundResults> expected;
  expected.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    expected.push_back(RunRound(t, 1000 + t, soundFile));
  }
  EXPECT_EQ(expected[0].sum, 55.0);
  EXPECT_EQ(expected[0].average, 5.5);
  EXPECT_EQ(expected[0].size, 10);
  EXPECT_EQ(expected[3].found, 3);
  EXPECT_EQ(expected[3].foundNoCase, 3);
  EXPECT_EQ(expected[3].lowered, u"xyzd,field|d");
  EXPECT_EQ(expected[3].field, u"field");
  EXPECT_EQ(expected[1].widened, 0.125);
  EXPECT_FALSE(expected[0].message.empty());

  std::atomic<int> mismatches{0};
  std::atomic<bool> go{false};
  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &expected, &soundFile, &mismatches, &go] {
      while (!go.load()) {
        std::this_thread::yield();
      }
      for (int round = 0; round < kRounds; ++round) {
        if (!(RunRound(t, round, soundFile) == expected[t])) {
          ++mismatches;
        }
      }
    });
  }
  go = true;
  for (auto& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(mismatches.load(), 0);

  HostAreas().Call(ZOL_FN_STOP_SOUND);
  DeleteArray(kReadArray);
  DeleteArray(kPackArray);
  std::error_code ignored;
  std::filesystem::remove(wav, ignored);
}

}  // namespace
