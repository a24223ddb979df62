// WriteIntegerBytes and ReadIntegerBytes: a 32-bit integer spread over, or
// gathered from, consecutive array elements one byte each, in either byte order.
// Neither asks the store for the array's type or size.
#include <cstdint>

#include "arrays/array_store.h"
#include "dispatch/operations.h"

namespace zol {
namespace {

struct ByteRun {
  uint16_t array;
  uint32_t start;  // element indexes are 32-bit sums; the store gets the low 16 bits
  int32_t count;   // a count below 1 touches no element
  bool fromTop;    // true: element k of the run is start + count - 1 - k

  uint16_t IndexOf(int32_t k) const {
    const auto offset = static_cast<uint32_t>(fromTop ? count - 1 - k : k);
    return StoreIndex(start + offset);
  }
};

}  // namespace

void WriteIntegerBytes(const CallerAreas& areas) {
  auto value = static_cast<uint32_t>(ReadSlotInteger(areas, 0));
  // Flag 0 puts the least significant byte at the start index; any other flag
  // puts it at the end. Either way the low byte is written first.
  const ByteRun run{ReadSlotArrayNumber(areas, 1), static_cast<uint32_t>(ReadSlotInteger(areas, 2)),
                    ReadSlotInteger(areas, 3), ReadSlotInteger(areas, 4) != 0};
  for (int32_t k = 0; k < run.count; ++k) {
    ArrayStore::WriteInteger(run.array, run.IndexOf(k), static_cast<int32_t>(value & 0xFFU));
    value >>= 8;  // beyond the fourth byte, zeros
  }
}

void ReadIntegerBytes(const CallerAreas& areas) {
  // Flag 0 reads from the highest index down (it ends up least significant);
  // any other flag reads from the start index up.
  const ByteRun run{ReadSlotArrayNumber(areas, 0), static_cast<uint32_t>(ReadSlotInteger(areas, 1)),
                    ReadSlotInteger(areas, 2), ReadSlotInteger(areas, 3) == 0};
  uint32_t value = 0;
  for (int32_t k = 0; k < run.count; ++k) {
    // The element is added whole, signed, modulo 2^32: it is not masked to a
    // byte, so 256 carries and -1 borrows.
    value =
        value * 256U + static_cast<uint32_t>(ArrayStore::ReadInteger(run.array, run.IndexOf(k)));
  }
  WriteResultInteger(areas, static_cast<int32_t>(value));
}

}  // namespace zol
