// What each call costs, beside its floor: the same work done directly in the
// same process. Benchmarks come in pairs named Zol/<case> and Floor/<case>;
// bench/run-benchmarks.sh turns them into a table of times and ratios.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <time.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "QorData.h"
#include "bench_areas.h"
#include "bench_store.h"

namespace {

// --- Loading: dlopen to the first call. Runs first, before anything has pulled
// in a sound stack, and reports whether loading mapped SDL (it must not).
bool SdlMapped() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find("libSDL2") != std::string::npos)
      return true;
  }
  return false;
}

void LoadToFirstCall(benchmark::State& state) {
  const char* path = ZOL_LIBRARY_PATH;
  bool sdl = false;
  for (auto _ : state) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      state.SkipWithError(dlerror());
      break;
    }
    auto entry = reinterpret_cast<ZolFunctionPointer>(dlsym(handle, "DoZolFunction"));
    BenchAreas areas;
    areas.SetDouble(0, 0.5);
    benchmark::DoNotOptimize(entry(ZOL_FN_ARC_SINE, areas.block, areas.value, areas.text));
    sdl = sdl || SdlMapped();
    dlclose(handle);
  }
  state.counters["sdl_mapped"] = sdl ? 1 : 0;
}
BENCHMARK(LoadToFirstCall)->Name("Zol/LoadToFirstCall")->Unit(benchmark::kMicrosecond);

// A host's rounding mode for the length of one benchmark (fesetround sets the
// x87 and SSE units alike). In any mode but the default the library switches
// to the default state and back on each call.
class HostRounding {
 public:
  explicit HostRounding(int mode) : saved_(std::fegetround()) { std::fesetround(mode); }
  ~HostRounding() { std::fesetround(saved_); }
  HostRounding(const HostRounding&) = delete;
  HostRounding& operator=(const HostRounding&) = delete;

 private:
  int saved_;
};

// --- Dispatch.
[[gnu::noinline]] int32_t DirectUnknown(int32_t fn, void*, void*, uint16_t*) {
  return fn > 18 ? 3 : 0;
}

void ZolUnknown(benchmark::State& state) {
  BenchAreas areas;
  for (auto _ : state)
    benchmark::DoNotOptimize(areas.Call(0));
}
void FloorUnknown(benchmark::State& state) {
  BenchAreas areas;
  auto* volatile direct = &DirectUnknown;
  for (auto _ : state)
    benchmark::DoNotOptimize(direct(19, areas.block, areas.value, areas.text));
}
BENCHMARK(ZolUnknown)->Name("Zol/UnknownFunction");
BENCHMARK(FloorUnknown)->Name("Floor/UnknownFunction");

void ZolArcSine(benchmark::State& state, int rounding) {
  BenchAreas areas;
  double x = 0.3;
  const HostRounding host(rounding);
  for (auto _ : state) {
    areas.SetDouble(0, x);
    benchmark::ClobberMemory();
    areas.Call(ZOL_FN_ARC_SINE);
    benchmark::DoNotOptimize(areas.value);
  }
}
void FloorArcSine(benchmark::State& state, int rounding) {
  BenchAreas areas;
  double x = 0.3;
  const HostRounding host(rounding);
  for (auto _ : state) {
    areas.SetDouble(0, x);
    benchmark::ClobberMemory();
    double in;
    std::memcpy(&in, areas.block, 8);
    const double out = std::asin(in);
    std::memcpy(areas.value, &out, 8);
    benchmark::DoNotOptimize(areas.value);
  }
}
BENCHMARK_CAPTURE(ZolArcSine, nearest, FE_TONEAREST)->Name("Zol/ArcSine");
BENCHMARK_CAPTURE(FloorArcSine, nearest, FE_TONEAREST)->Name("Floor/ArcSine");
BENCHMARK_CAPTURE(ZolArcSine, zero, FE_TOWARDZERO)->Name("Zol/ArcSine/toward-zero");
BENCHMARK_CAPTURE(FloorArcSine, zero, FE_TOWARDZERO)->Name("Floor/ArcSine/toward-zero");

// --- The tracing shim: ArcSine through libzoltrace.so with tracing on (each
// call reads the areas, builds its JSON line and appends it to a file), beside
// the same call made directly. A fixed number of calls keeps the trace small.
ZolFunctionPointer TracingShim() {
  static const ZolFunctionPointer entry = [] {
    setenv("ZOLTRACE_LIBRARY", ZOL_LIBRARY_PATH, 1);  // NOLINT(concurrency-mt-unsafe)
    setenv("ZOLTRACE_FILE", ZOL_TRACE_FILE, 1);       // NOLINT(concurrency-mt-unsafe)
    static_cast<void>(std::remove(ZOL_TRACE_FILE));
    void* handle = dlopen(ZOL_TRACE_SHIM_PATH, RTLD_NOW | RTLD_LOCAL);
    return handle != nullptr ? reinterpret_cast<ZolFunctionPointer>(dlsym(handle, "DoZolFunction"))
                             : nullptr;
  }();
  return entry;
}

// State's range-for needs a non-const State, which cppcheck does not see.
// cppcheck-suppress constParameter
void ArcSineCalls(benchmark::State& state, ZolFunctionPointer entry) {
  BenchAreas areas;
  for (auto _ : state) {
    areas.SetDouble(0, 0.3);
    benchmark::ClobberMemory();
    entry(ZOL_FN_ARC_SINE, areas.block, areas.value, areas.text);
    benchmark::DoNotOptimize(areas.value);
  }
}
void ZolArcSineTraced(benchmark::State& state) {
  if (TracingShim() == nullptr) {
    state.SkipWithError("cannot load the tracing shim");
    return;
  }
  ArcSineCalls(state, TracingShim());
  state.SetLabel("floor: the direct call");
}
void FloorArcSineTraced(benchmark::State& state) {
  ArcSineCalls(state, &DoZolFunction);
}
BENCHMARK(ZolArcSineTraced)->Name("Zol/ArcSineThroughTracingShim")->Iterations(20000);
BENCHMARK(FloorArcSineTraced)->Name("Floor/ArcSineThroughTracingShim")->Iterations(20000);

// --- Conversions.
void ZolIntegerBitsToFloat(benchmark::State& state) {
  BenchAreas areas;
  areas.SetInteger(0, 0x3F800000);
  areas.SetInteger(1, 1);
  for (auto _ : state) {
    areas.Call(ZOL_FN_INTEGER_BITS_TO_FLOAT);
    benchmark::DoNotOptimize(areas.value);
  }
}
void FloorIntegerBitsToFloat(benchmark::State& state) {
  BenchAreas areas;
  areas.SetInteger(0, 0x3F800000);
  areas.SetInteger(1, 1);
  for (auto _ : state) {
    benchmark::ClobberMemory();
    uint32_t bits;
    int32_t swap;
    std::memcpy(&bits, areas.block, 4);
    std::memcpy(&swap, areas.block + 8, 4);
    if (swap != 0)
      bits = std::rotl(bits, 16);
    const double out = std::bit_cast<float>(bits);
    std::memcpy(areas.value, &out, 8);
    benchmark::DoNotOptimize(areas.value);
  }
}
BENCHMARK(ZolIntegerBitsToFloat)->Name("Zol/IntegerBitsToFloat");
BENCHMARK(FloorIntegerBitsToFloat)->Name("Floor/IntegerBitsToFloat");

void ZolFloatToIntegerBits(benchmark::State& state, int rounding) {
  BenchAreas areas;
  areas.SetDouble(0, 0.1);
  areas.SetInteger(1, 1);
  const HostRounding host(rounding);
  for (auto _ : state) {
    areas.Call(ZOL_FN_FLOAT_TO_INTEGER_BITS);
    benchmark::DoNotOptimize(areas.value);
  }
}
void FloorFloatToIntegerBits(benchmark::State& state, int rounding) {
  BenchAreas areas;
  areas.SetDouble(0, 0.1);
  areas.SetInteger(1, 1);
  const HostRounding host(rounding);
  for (auto _ : state) {
    benchmark::ClobberMemory();
    double in;
    int32_t swap;
    std::memcpy(&in, areas.block, 8);
    std::memcpy(&swap, areas.block + 8, 4);
    uint32_t bits = std::bit_cast<uint32_t>(static_cast<float>(in));
    if (swap != 0)
      bits = std::rotl(bits, 16);
    std::memcpy(areas.value, &bits, 4);
    benchmark::DoNotOptimize(areas.value);
  }
}
BENCHMARK_CAPTURE(ZolFloatToIntegerBits, nearest, FE_TONEAREST)->Name("Zol/FloatToIntegerBits");
BENCHMARK_CAPTURE(FloorFloatToIntegerBits, nearest, FE_TONEAREST)->Name("Floor/FloatToIntegerBits");
BENCHMARK_CAPTURE(ZolFloatToIntegerBits, zero, FE_TOWARDZERO)
    ->Name("Zol/FloatToIntegerBits/toward-zero");
BENCHMARK_CAPTURE(FloorFloatToIntegerBits, zero, FE_TOWARDZERO)
    ->Name("Floor/FloatToIntegerBits/toward-zero");

// --- Text. Texts of 255 units: the best case matches at once, the worst case
// has a near-match at every position.
struct SearchCase {
  std::u16string text, pattern;
};
SearchCase MakeSearchCase(bool worst) {
  if (worst)
    return {std::u16string(254, u'a') + u"b", std::u16string(15, u'a') + u"b"};
  return {u"needle" + std::u16string(249, u'x'), u"needle"};
}

void ZolSearch(benchmark::State& state, int32_t fn, bool worst) {
  const SearchCase c = MakeSearchCase(worst);
  BenchAreas areas;
  areas.SetString(0, c.text);
  areas.SetString(1, c.pattern);
  areas.SetInteger(0, 0);
  for (auto _ : state) {
    areas.Call(fn);
    benchmark::DoNotOptimize(areas.value);
  }
}
// The floor is find alone, on views of the same data made once: the least any
// search over these texts can cost.
void FloorSearch(benchmark::State& state, bool worst) {
  const SearchCase c = MakeSearchCase(worst);
  BenchAreas areas;
  areas.SetString(0, c.text);
  areas.SetString(1, c.pattern);
  const std::u16string_view text(
      reinterpret_cast<const char16_t*>(areas.block + ZOL_STRING_SLOT_OFFSET_OF(0)), c.text.size());
  const std::u16string_view pattern(
      reinterpret_cast<const char16_t*>(areas.block + ZOL_STRING_SLOT_OFFSET_OF(1)),
      c.pattern.size());
  for (auto _ : state) {
    benchmark::ClobberMemory();
    const auto at = text.find(pattern);
    const auto result = static_cast<int32_t>(at == std::u16string_view::npos ? -1 : at);
    std::memcpy(areas.value, &result, 4);
    benchmark::DoNotOptimize(areas.value);
  }
}
BENCHMARK_CAPTURE(ZolSearch, best, ZOL_FN_FIND_STRING, false)->Name("Zol/FindString/best");
BENCHMARK_CAPTURE(FloorSearch, best, false)->Name("Floor/FindString/best");
BENCHMARK_CAPTURE(ZolSearch, worst, ZOL_FN_FIND_STRING, true)->Name("Zol/FindString/worst");
BENCHMARK_CAPTURE(FloorSearch, worst, true)->Name("Floor/FindString/worst");
BENCHMARK_CAPTURE(ZolSearch, nocase_best, ZOL_FN_FIND_STRING_NO_CASE, false)
    ->Name("Zol/FindStringNoCase/best");
BENCHMARK_CAPTURE(FloorSearch, nocase_best, false)->Name("Floor/FindStringNoCase/best");
BENCHMARK_CAPTURE(ZolSearch, nocase_worst, ZOL_FN_FIND_STRING_NO_CASE, true)
    ->Name("Zol/FindStringNoCase/worst");
BENCHMARK_CAPTURE(FloorSearch, nocase_worst, true)->Name("Floor/FindStringNoCase/worst");

// 128 one-unit fields separated by commas (255 units); the benchmark asks for
// field 120.
std::u16string ManyFields() {
  std::u16string text;
  for (int i = 0; i < 128; ++i) {
    if (i != 0) {
      text += u',';
    }
    text += static_cast<char16_t>(u'a' + i % 26);
  }
  return text;
}
void ZolGetStringField(benchmark::State& state) {
  BenchAreas areas;
  areas.SetString(0, ManyFields());
  areas.SetString(1, u",");
  areas.SetInteger(0, 120);
  for (auto _ : state) {
    areas.Call(ZOL_FN_GET_STRING_FIELD);
    benchmark::DoNotOptimize(areas.text);
  }
}
void FloorGetStringField(benchmark::State& state) {
  BenchAreas areas;
  const std::u16string fields = ManyFields();
  areas.SetString(0, fields);
  areas.SetString(1, u",");
  const std::u16string_view t(
      reinterpret_cast<const char16_t*>(areas.block + ZOL_STRING_SLOT_OFFSET_OF(0)), fields.size());
  const std::u16string_view d(
      reinterpret_cast<const char16_t*>(areas.block + ZOL_STRING_SLOT_OFFSET_OF(1)), 1);
  for (auto _ : state) {
    benchmark::ClobberMemory();
    std::size_t pos = 0, start = 0, len = 0;
    for (int i = 0; i <= 120 && pos < t.size(); ++i) {
      const auto at = std::min(t.find(d, pos), t.size());
      start = pos;
      len = at - pos;
      pos = at + d.size();
    }
    std::memcpy(areas.text, t.data() + start, len * 2);
    areas.text[len] = 0;
    benchmark::DoNotOptimize(areas.text);
  }
}
BENCHMARK(ZolGetStringField)->Name("Zol/GetStringField");
BENCHMARK(FloorGetStringField)->Name("Floor/GetStringField");

// --- Arrays. Array 1 holds n doubles in whichever store this program runs with.
constexpr uint16_t kArray = 1;

void ZolSumArray(benchmark::State& state, int rounding) {
  const auto n = static_cast<int>(state.range(0));
  PrepareFloatArray(kArray, n);
  const HostRounding host(rounding);
  BenchAreas areas;
  areas.SetInteger(0, kArray);
  areas.SetInteger(1, n);
  for (auto _ : state) {
    areas.Call(ZOL_FN_SUM_ARRAY);
    benchmark::DoNotOptimize(areas.value);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
// The floor through the store: one store call per element, summed in order.
void FloorSumArrayStoreCalls(benchmark::State& state, int rounding) {
  const auto n = static_cast<int>(state.range(0));
  PrepareFloatArray(kArray, n);
  const HostRounding host(rounding);
  for (auto _ : state) {
    double sum = 0;
    for (int i = 0; i < n; ++i) {
      double v = 0;
      ReadArrayFloatDataItem(kArray, static_cast<uint16_t>(i), &v);
      sum += v;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
// The physical floor: the same doubles summed in order from memory.
void FloorSumArrayLoop(benchmark::State& state) {
  const auto n = static_cast<int>(state.range(0));
  std::vector<double> values(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    values[static_cast<std::size_t>(i)] = ElementValue(i);
  for (auto _ : state) {
    double sum = std::accumulate(values.begin(), values.end(), 0.0);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK_CAPTURE(ZolSumArray, nearest, FE_TONEAREST)
    ->Name("Zol/SumArray" STORE_SUFFIX)
    ->Arg(1)
    ->Arg(1000)
    ->Arg(65535);
BENCHMARK_CAPTURE(FloorSumArrayStoreCalls, nearest, FE_TONEAREST)
    ->Name("Floor/SumArray" STORE_SUFFIX)
    ->Arg(1)
    ->Arg(1000)
    ->Arg(65535);
// A host rounding toward zero: the library adds in the default state, the
// floor in the host's.
BENCHMARK_CAPTURE(ZolSumArray, zero, FE_TOWARDZERO)
    ->Name("Zol/SumArray" STORE_SUFFIX "/toward-zero")
    ->Arg(1000);
BENCHMARK_CAPTURE(FloorSumArrayStoreCalls, zero, FE_TOWARDZERO)
    ->Name("Floor/SumArray" STORE_SUFFIX "/toward-zero")
    ->Arg(1000);
BENCHMARK(FloorSumArrayLoop)
    ->Name("Floor/SumArrayLoop" STORE_SUFFIX)
    ->Arg(1)
    ->Arg(1000)
    ->Arg(65535);

void ZolBytePacking(benchmark::State& state) {
  PrepareFloatArray(kArray, 8);
  BenchAreas areas;
  for (auto _ : state) {
    areas.SetInteger(0, 0x12345678);
    areas.SetInteger(1, kArray);
    areas.SetInteger(2, 0);
    areas.SetInteger(3, 4);
    areas.SetInteger(4, 1);
    areas.Call(ZOL_FN_WRITE_INTEGER_BYTES);
    areas.SetInteger(0, kArray);
    areas.SetInteger(1, 0);
    areas.SetInteger(2, 4);
    areas.SetInteger(3, 1);
    areas.Call(ZOL_FN_READ_INTEGER_BYTES);
    benchmark::DoNotOptimize(areas.value);
  }
}
void FloorBytePacking(benchmark::State& state) {
  PrepareFloatArray(kArray, 8);
  for (auto _ : state) {
    uint32_t v = 0x12345678;
    for (int k = 0; k < 4; ++k, v >>= 8) {
      WriteArrayDataItem(kArray, static_cast<uint16_t>(3 - k), static_cast<int32_t>(v & 0xFF));
    }
    uint32_t acc = 0;
    for (uint16_t k = 0; k < 4; ++k) {
      int32_t e = 0;
      ReadArrayDataItem(kArray, k, &e);
      acc = acc * 256 + static_cast<uint32_t>(e);
    }
    benchmark::DoNotOptimize(acc);
  }
}
BENCHMARK(ZolBytePacking)->Name("Zol/BytePacking" STORE_SUFFIX);
BENCHMARK(FloorBytePacking)->Name("Floor/BytePacking" STORE_SUFFIX);

// --- Timing.
void ZolReadElapsedTime(benchmark::State& state) {
  BenchAreas areas;
  areas.Call(ZOL_FN_START_TIMER);
  for (auto _ : state) {
    areas.Call(ZOL_FN_READ_ELAPSED_TIME);
    benchmark::DoNotOptimize(areas.value);
  }
}
void FloorReadElapsedTime(benchmark::State& state) {
  for (auto _ : state) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    benchmark::DoNotOptimize(now);
  }
}
BENCHMARK(ZolReadElapsedTime)->Name("Zol/ReadElapsedTime");
BENCHMARK(FloorReadElapsedTime)->Name("Floor/ReadElapsedTime");

// --- Sound: how long the caller waits for a play request (dummy driver).
std::string WriteSilentWav(double seconds) {
  std::string path = "/tmp/zol-bench-" + std::to_string(static_cast<int>(seconds)) + "s.wav";
  const uint32_t rate = 44100, frames = static_cast<uint32_t>(seconds * rate);
  const uint32_t dataBytes = frames * 2;
  std::ofstream out(path, std::ios::binary);
  auto put32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  put32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  out.write("data", 4);
  put32(dataBytes);
  const std::vector<char> silence(dataBytes, 0);
  out.write(silence.data(), static_cast<std::streamsize>(silence.size()));
  return path;
}

void ZolPlaySoundFile(benchmark::State& state) {
  const std::string path = WriteSilentWav(static_cast<double>(state.range(0)));
  BenchAreas areas;
  areas.SetString(0, std::u16string(path.begin(), path.end()));
  areas.SetInteger(0, 0);
  for (auto _ : state) {
    areas.Call(ZOL_FN_PLAY_SOUND_FILE);
  }
  areas.Call(ZOL_FN_STOP_SOUND);
  state.SetLabel(std::to_string(state.range(0)) + " s WAV");
}
BENCHMARK(ZolPlaySoundFile)
    ->Name("Zol/PlaySoundFile")
    ->Arg(1)
    ->Arg(60)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
