// Caller areas for benchmarks: one aligned block, result cell and text, with
// helpers to fill them as a host would.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string_view>

#include "zolutilities.h"

struct BenchAreas {
  alignas(16) unsigned char block[ZOL_BLOCK_SIZE] = {};
  alignas(16) unsigned char value[ZOL_RESULT_VALUE_SIZE] = {};
  alignas(16) uint16_t text[ZOL_RESULT_TEXT_UNITS] = {};

  // The areas' address escapes, so that benchmark::ClobberMemory() makes a floor
  // reread them as the library must, instead of folding known inputs away.
  BenchAreas() {
    BenchAreas* self = this;
    benchmark::DoNotOptimize(self);
  }

  int32_t Call(int32_t fn) { return DoZolFunction(fn, block, value, text); }
  void SetInteger(int slot, int32_t v) { ZolSetInteger(block, slot, v); }
  void SetDouble(int slot, double v) { ZolSetDouble(block, slot, v); }
  void SetString(int k, std::u16string_view s) {
    unsigned char* at = block + ZOL_STRING_SLOT_OFFSET_OF(k);
    std::memcpy(at, s.data(), s.size() * 2);
    std::memset(at + s.size() * 2, 0, 2);
  }
  double ResultDouble() const {
    double v;
    std::memcpy(&v, value, 8);
    return v;
  }
};
