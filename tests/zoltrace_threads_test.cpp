// The tracing shim, linked as a host links the library, called from several
// threads at once: every call is forwarded (each thread checks its own
// results), and the trace holds one whole JSON line per call with the inputs
// of that call.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "zolutilities.h"

namespace {

constexpr int kThreads = 4;
constexpr int kCallsPerThread = 250;

// Each call a bit pattern of its own: 1.0f plus the call's number.
int32_t PatternOf(int thread, int call) {
  return 0x3F800000 + thread * kCallsPerThread + call;
}

// IntegerBitsToFloat for each of the thread's patterns; returns the wrong results.
int CallMany(int thread) {
  ZolParameterBlock block{};
  unsigned char value[ZOL_RESULT_VALUE_SIZE] = {};
  uint16_t text[ZOL_RESULT_TEXT_UNITS] = {};
  int wrong = 0;
  for (int call = 0; call < kCallsPerThread; ++call) {
    const int32_t bits = PatternOf(thread, call);
    ZolSetInteger(&block, 0, bits);
    double result;
    const int32_t status = DoZolFunction(ZOL_FN_INTEGER_BITS_TO_FLOAT, &block, value, text);
    std::memcpy(&result, value, sizeof result);
    wrong += status != 0 || result != static_cast<double>(std::bit_cast<float>(bits)) ? 1 : 0;
  }
  return wrong;
}

TEST(ZolTraceThreads, EveryCallIsForwardedAndTracedAsOneWholeLine) {
  const char* trace = std::getenv("ZOLTRACE_FILE");  // NOLINT(concurrency-mt-unsafe)
  ASSERT_NE(trace, nullptr);
  static_cast<void>(std::remove(trace));  // the shim opens it on the first call, below

  std::vector<int> wrong(kThreads);
  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &wrong] { wrong[t] = CallMany(t); });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(wrong, std::vector<int>(kThreads, 0));

  std::ifstream in(trace);
  std::string line;
  std::set<uint64_t> sequence;
  std::vector<int32_t> inputs;
  while (std::getline(in, line)) {
    const auto call = nlohmann::json::parse(line, nullptr, false);
    ASSERT_TRUE(call.is_object()) << "not one JSON object: " << line;
    EXPECT_EQ(call.at("function"), ZOL_FN_INTEGER_BITS_TO_FLOAT);
    EXPECT_EQ(call.at("status"), 0);
    sequence.insert(call.at("seq").get<uint64_t>());
    inputs.push_back(call.at("inputs").at(0).at("value").get<int32_t>());
  }
  std::vector<int32_t> expected;
  for (int t = 0; t < kThreads; ++t) {
    for (int c = 0; c < kCallsPerThread; ++c) {
      expected.push_back(PatternOf(t, c));
    }
  }
  std::sort(inputs.begin(), inputs.end());
  EXPECT_EQ(inputs, expected);
  EXPECT_EQ(sequence.size(), expected.size());
}

}  // namespace
