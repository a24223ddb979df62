// GetArraySize, SumArray and AverageArray: the element count, sum and mean of
// one of the host's arrays, read element by element through the ArrayStore.
#include <bit>
#include <cmath>

#include "arrays/array_store.h"
#include "dispatch/operations.h"
#include "numeric/binary64_add.h"
#include "numeric/fp_environment.h"

namespace zol {
namespace {

// Adds one element to the partial sum in ResultValue, so each step is rounded
// to a double, as the processor adds in the default floating-point state. In
// any other state the addition is done in integer arithmetic with the same
// result, rather than switching the state twice per element.
void AddToResult(const CallerAreas& areas, double element, bool inDefaultState) {
  if (inDefaultState) {
    const double sum = element + ReadResultDouble(areas);
    // Of two NaNs the processor keeps its first operand's, and the compiler
    // picks the order; a NaN sum is made below, where the element comes first.
    if (!std::isnan(sum)) {
      WriteResultDouble(areas, sum);
      return;
    }
  }
  WriteResultBits(areas, AddBinary64(std::bit_cast<uint64_t>(element), ReadResultBits(areas)));
}

// The sum of the first n elements, left in ResultValue; returns n. n is slot 1,
// or the array's own count when slot 1 is 0; an explicit n is used unchanged,
// even past the array's end, and a negative n reads nothing.
int32_t SumIntoResult(const CallerAreas& areas) {
  const uint16_t array = ReadSlotArrayNumber(areas, 0);
  const ArrayInfo info = ArrayStore::GetInfo(array);
  const int32_t explicitCount = ReadSlotInteger(areas, 1);
  const int32_t n = explicitCount != 0 ? explicitCount : info.count;
  const bool floats = info.typeCode == kArrayTypeFloat;

  // The store calls are the host's own code and run in the host's state; the
  // additions give the default state's sums in any state.
  const bool inDefaultState = DefaultFloatingPoint::InForce();
  WriteResultDouble(areas, 0.0);
  for (int32_t i = 0; i < n; ++i) {
    const uint16_t index = StoreIndex(static_cast<uint32_t>(i));
    double element = 0.0;
    if (floats) {
      ArrayStore::ReadDouble(array, index, element);
    } else {
      element = static_cast<double>(ArrayStore::ReadInteger(array, index));
    }
    AddToResult(areas, element, inDefaultState);
  }
  return n;
}

}  // namespace

void GetArraySize(const CallerAreas& areas) {
  WriteResultInteger(areas, ArrayStore::GetInfo(ReadSlotArrayNumber(areas, 0)).count);
}

void SumArray(const CallerAreas& areas) {
  SumIntoResult(areas);
}

void AverageArray(const CallerAreas& areas) {
  const int32_t n = SumIntoResult(areas);
  // With a negative n the quotient is 0.0 / n: a zero with its sign bit set.
  if (n != 0) {
    const DefaultFloatingPoint defaultState;
    WriteResultDouble(areas, ReadResultDouble(areas) / static_cast<double>(n));
  }
}

}  // namespace zol
