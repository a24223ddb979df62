// The stand-in QorData used from several threads at once: each thread's view
// stays consistent while others write, replace and delete arrays.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "QorDataHost.h"
#include "host_areas.h"

namespace {

constexpr int kThreads = 4;

// Runs body(t) on kThreads threads and waits for all; returns the failures seen.
int RunThreads(const std::function<int(int)>& body) {
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] { failures += body(t); });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  return failures.load();
}

// Arrays t and t + 256 share a lock stripe: neighbours in a stripe must not
// disturb each other.
TEST(StandInStoreThreads, OwnArraysStayIntact) {
  const int failures = RunThreads([](int t) {
    int bad = 0;
    for (int round = 0; round < 50; ++round) {
      for (auto array : {static_cast<uint16_t>(1000 + t), static_cast<uint16_t>(1256 + t)}) {
        CreateArray(array, 0, 64);
        for (uint16_t i = 0; i < 64; ++i) {
          WriteArrayDataItem(array, i, array * 100 + i);
        }
        for (uint16_t i = 0; i < 64; ++i) {
          int32_t value = -1;
          bad += ReadArrayDataItem(array, i, &value) != 0 || value != array * 100 + i;
        }
      }
      bad += DeleteArray(static_cast<uint16_t>(1000 + t)) != 0;
    }
    DeleteArray(static_cast<uint16_t>(1256 + t));
    return bad;
  });
  EXPECT_EQ(failures, 0);
}

// One thread keeps replacing an array with one of two shapes while the others
// read it: every GetArrayInfo sees one whole shape, never a mix.
TEST(StandInStoreThreads, ReplacementIsAtomicForReaders) {
  constexpr uint16_t kShared = 2000;
  CreateArray(kShared, 0, 100);
  std::atomic<bool> done{false};
  std::atomic<int> replacements{0};
  std::thread replacer([&] {
    for (int round = 0; !done; ++round) {
      CreateArray(kShared, round % 2 == 0 ? QOR_TYPE_FLOAT : 0, round % 2 == 0 ? 50 : 100);
      ++replacements;
    }
  });
  while (replacements == 0) {
    std::this_thread::yield();  // readers start once replacing has begun
  }
  const int failures = RunThreads([&](int) {
    int bad = 0;
    for (int read = 0; read < 20000; ++read) {
      uint8_t type = 0;
      uint16_t count = 0;
      int32_t unused[4];
      GetArrayInfo(kShared, &type, &unused[0], &count, &unused[1], &unused[2], &unused[3]);
      bad += !((type == QOR_TYPE_FLOAT && count == 50) || (type == 0 && count == 100));
      double value = -1.0;
      const int32_t status = ReadArrayFloatDataItem(kShared, 75, &value);
      bad += status == 0 && value != 0.0;
    }
    return bad;
  });
  done = true;
  replacer.join();
  EXPECT_EQ(failures, 0);
  DeleteArray(kShared);
}

// The library's sums from several threads at once, each over its own array.
TEST(StandInStoreThreads, LibrarySumsInParallel) {
  const int failures = RunThreads([](int t) {
    const auto array = static_cast<uint16_t>(3000 + t);
    CreateArray(array, 0, 1000);
    for (uint16_t i = 0; i < 1000; ++i) {
      WriteArrayDataItem(array, i, t + 1);
    }
    int bad = 0;
    HostAreas areas;
    areas.SetInteger(0, array);
    for (int round = 0; round < 50; ++round) {
      areas.Call(ZOL_FN_SUM_ARRAY);
      bad += areas.ResultDouble() != 1000.0 * (t + 1);
    }
    DeleteArray(array);
    return bad;
  });
  EXPECT_EQ(failures, 0);
}

}  // namespace
