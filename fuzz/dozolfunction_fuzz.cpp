// libFuzzer target: DoZolFunction with a fuzzer-chosen function number and
// fuzzer-chosen contents for all three caller areas, against the stand-in store
// holding a few arrays. The areas are heap blocks of exactly their documented
// size, so AddressSanitizer reports any touch past them.
//
// Input: one byte choosing the function number (its value modulo 21, so 0, 19
// and 20 stand for the unknown numbers), then the block, ResultValue and
// ResultText in that order; what a short input does not reach stays zero.
//
// Besides the sanitizers' own checks, each input is checked for: the status;
// no change to any byte outside the operation's outputs; a terminator inside
// ResultText after the text operations; a match that FindString reports really
// being there; and the two bit conversions undoing each other.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "QorDataHost.h"
#include "operation_outputs.h"
#include "wav_file.h"
#include "zolutilities.h"

namespace {

constexpr int32_t kFunctionChoices = 21;

// What a caller can see: the three areas, each its own heap block.
struct Areas {
  std::vector<unsigned char> block = std::vector<unsigned char>(ZOL_BLOCK_SIZE);
  std::vector<unsigned char> value = std::vector<unsigned char>(ZOL_RESULT_VALUE_SIZE);
  std::vector<unsigned char> text = std::vector<unsigned char>(kResultTextBytes);

  int32_t Call(int32_t fn) {
    return DoZolFunction(fn, block.data(), value.data(), reinterpret_cast<uint16_t*>(text.data()));
  }
  int32_t ResultInteger() const {
    int32_t v;
    std::memcpy(&v, value.data(), sizeof v);
    return v;
  }
  double ResultDouble() const {
    double v;
    std::memcpy(&v, value.data(), sizeof v);
    return v;
  }
};

[[noreturn]] void Fail(const char* what, int32_t fn) {
  (void)std::fprintf(stderr, "function %d: %s\n", static_cast<int>(fn), what);
  std::abort();
}

// Units of a 16-bit text up to its terminator or `maxUnits`.
std::u16string ReadUnits(const unsigned char* at, std::size_t maxUnits) {
  std::u16string out;
  for (std::size_t i = 0; i < maxUnits; ++i) {
    char16_t unit;
    std::memcpy(&unit, at + 2 * i, 2);
    if (unit == 0) {
      break;
    }
    out.push_back(unit);
  }
  return out;
}

std::u16string SlotText(const Areas& a, int k) {
  return ReadUnits(a.block.data() + ZOL_STRING_SLOT_OFFSET_OF(k), ZOL_TEXT_UNITS);
}

// Loop counts are kept to 0..1023 so that one input runs in microseconds; the
// tests run the 16-bit index wrap with larger counts.
void BoundLoopCounts(unsigned char* block, int32_t fn) {
  int slot = -1;
  if (fn == ZOL_FN_SUM_ARRAY || fn == ZOL_FN_AVERAGE_ARRAY) {
    slot = 1;
  }
  if (fn == ZOL_FN_WRITE_INTEGER_BYTES) {
    slot = 3;
  }
  if (fn == ZOL_FN_READ_INTEGER_BYTES) {
    slot = 2;
  }
  if (slot >= 0 && ZolGetInteger(block, slot) > 0) {
    ZolSetInteger(block, slot, ZolGetInteger(block, slot) & 0x3FF);
  }
}

// The fuzzer's own folder, holding one playable file, tone.wav.
std::filesystem::path folder;
std::u16string folderPrefix;  // the folder's path and a '/'

// A sound file name is made to name a file in the fuzzer's folder: every '/' in
// it becomes '_', and the folder's path goes before it (its last units drop off
// the slot, which stays unterminated if it was). No name can leave the folder,
// so no play request reaches a device or a pipe that would stall the sound thread.
void KeepSoundNameInFolder(unsigned char* block) {
  unsigned char* slot = block + ZOL_STRING_SLOT_OFFSET_OF(0);
  std::array<char16_t, ZOL_TEXT_UNITS> name;
  std::memcpy(name.data(), slot, sizeof name);
  std::replace(name.begin(), name.end(), u'/', u'_');
  std::array<char16_t, ZOL_TEXT_UNITS> named;
  const auto rest = std::copy(folderPrefix.begin(), folderPrefix.end(), named.begin());
  std::copy(name.begin(), name.end() - static_cast<std::ptrdiff_t>(folderPrefix.size()), rest);
  std::memcpy(slot, named.data(), sizeof named);
}

void CheckOnlyOutputsChanged(int32_t fn, const Areas& before, const Areas& after) {
  const bool ok =
      FirstForbiddenChange(fn, CallerArea::Block, before.block.data(), after.block.data(),
                           before.block.size()) == before.block.size() &&
      FirstForbiddenChange(fn, CallerArea::Value, before.value.data(), after.value.data(),
                           before.value.size()) == before.value.size() &&
      FirstForbiddenChange(fn, CallerArea::Text, before.text.data(), after.text.data(),
                           before.text.size()) == before.text.size();
  if (!ok) {
    Fail("changed a byte outside its outputs", fn);
  }
}

void CheckTerminated(int32_t fn, const Areas& a) {
  if (ReadUnits(a.text.data(), ZOL_RESULT_TEXT_UNITS).size() >= ZOL_RESULT_TEXT_UNITS) {
    Fail("no terminator in ResultText", fn);
  }
}

// A position FindString reports is where the pattern really starts, at or
// after a non-negative start.
void CheckMatch(const Areas& before, const Areas& after) {
  const int32_t at = after.ResultInteger();
  if (at < 0) {
    return;
  }
  const std::u16string text = SlotText(before, 0);
  const std::u16string pattern = SlotText(before, 1);
  const int32_t start = ZolGetInteger(before.block.data(), 0);
  const auto found = static_cast<std::size_t>(at);
  const bool there = pattern.empty() ? found == 0 && text.empty()
                                     : found <= text.size() &&
                                           text.compare(found, pattern.size(), pattern) == 0 &&
                                           (start <= 0 || at >= start);
  if (!there) {
    Fail("reported a match that is not there", ZOL_FN_FIND_STRING);
  }
}

// IntegerBitsToFloat and FloatToIntegerBits with the same flag undo each other
// for every value that is not a NaN.
void CheckBitsRoundTrip(int32_t fn, const Areas& after) {
  Areas again;
  std::memcpy(again.block.data() + ZOL_SLOT_SIZE, after.block.data() + ZOL_SLOT_SIZE, 4);
  if (fn == ZOL_FN_INTEGER_BITS_TO_FLOAT) {
    const double widened = after.ResultDouble();
    if (std::isnan(widened)) {
      return;
    }
    ZolSetDouble(again.block.data(), 0, widened);
    again.Call(ZOL_FN_FLOAT_TO_INTEGER_BITS);
    if (again.ResultInteger() != ZolGetInteger(after.block.data(), 0)) {
      Fail("bits do not come back", fn);
    }
  } else {
    const double narrowed = static_cast<float>(ZolGetDouble(after.block.data(), 0));
    if (std::isnan(narrowed)) {
      return;
    }
    ZolSetInteger(again.block.data(), 0, after.ResultInteger());
    again.Call(ZOL_FN_INTEGER_BITS_TO_FLOAT);
    if (again.ResultDouble() != narrowed) {
      Fail("value does not come back", fn);
    }
  }
}

void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Nothing is heard. Set before any thread of the library or SDL exists.
  setenv("SDL_AUDIODRIVER", "dummy", 1);  // NOLINT(concurrency-mt-unsafe)
  std::string name = (std::filesystem::temp_directory_path() / "zol-fuzz-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr) {
    std::perror("fuzz folder");
    std::abort();
  }
  folder = name;
  folderPrefix = (folder / "").u16string();
  if (folderPrefix.size() > ZOL_TEXT_UNITS / 2) {
    (void)std::fprintf(stderr, "temporary folder path too long: %s\n", name.c_str());
    std::abort();
  }
  if (std::atexit(RemoveFolder) != 0) {
    (void)std::fprintf(stderr, "the fuzz folder %s will stay behind\n", name.c_str());
  }
  WriteWav16(folder / "tone.wav", 8000, Ramp(1, 80));

  CreateArray(0, 3, 0);
  CreateArray(1, 3, 10);
  CreateArray(2, QOR_TYPE_FLOAT, 300);
  CreateArray(0xFFFF, 7, 700);
  for (uint16_t i = 0; i < 10; ++i) {
    WriteArrayDataItem(1, i, i * 37 - 100);
  }
  for (uint16_t i = 0; i < 300; ++i) {
    WriteArrayFloatDataItem(2, i, i * 0.25);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const int32_t fn = data[0] % kFunctionChoices;
  Areas areas;
  std::size_t at = 1;
  for (std::vector<unsigned char>* area : {&areas.block, &areas.value, &areas.text}) {
    const std::size_t n = std::min(area->size(), size - at);
    std::memcpy(area->data(), data + at, n);
    at += n;
  }
  BoundLoopCounts(areas.block.data(), fn);
  if (fn == ZOL_FN_PLAY_SOUND_FILE) {
    KeepSoundNameInFolder(areas.block.data());
  }
  const Areas before = areas;

  const int32_t status = areas.Call(fn);
  const bool known = fn >= ZOL_FIRST_FUNCTION && fn <= ZOL_LAST_FUNCTION;
  if (status != (known ? ZOL_STATUS_OK : ZOL_STATUS_UNKNOWN_FUNCTION)) {
    Fail("wrong status", fn);
  }
  CheckOnlyOutputsChanged(fn, before, areas);
  if (fn == ZOL_FN_GET_STRING_FIELD || fn == ZOL_FN_GET_SYSTEM_ERROR_TEXT) {
    CheckTerminated(fn, areas);
  }
  if (fn == ZOL_FN_FIND_STRING) {
    CheckMatch(before, areas);
  }
  if (fn == ZOL_FN_INTEGER_BITS_TO_FLOAT || fn == ZOL_FN_FLOAT_TO_INTEGER_BITS) {
    CheckBitsRoundTrip(fn, areas);
  }
  return 0;
}
