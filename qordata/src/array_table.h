// The stand-in store's arrays: 65,536 numbered slots, each empty or holding one
// array with a type code and up to 65,535 elements. Code 19 holds doubles, every
// other code signed 32-bit integers; reads and writes convert between the two.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "stripe_lock.h"

namespace qordata {

inline constexpr uint8_t kTypeFloat = 19;

struct ArrayInfo {
  uint8_t typeCode;
  uint16_t count;
};

// Safe to use from several threads at once. Each array number maps to one of a
// fixed set of lock stripes, each a reader-writer lock on its own cache line:
// element reads take it shared (uncontended, an atomic operation to lock and
// one to unlock, and readers of the same array never block each other);
// element writes and create/delete take it exclusively. Arrays that share a
// stripe share only that lock.
class ArrayTable {
 public:
  void Create(uint16_t arrayNumber, uint8_t typeCode, uint16_t count);
  bool Delete(uint16_t arrayNumber);
  std::optional<ArrayInfo> Info(uint16_t arrayNumber) const;
  std::optional<int32_t> ReadInteger(uint16_t arrayNumber, uint16_t index) const;
  std::optional<double> ReadDouble(uint16_t arrayNumber, uint16_t index) const;
  bool WriteInteger(uint16_t arrayNumber, uint16_t index, int32_t value);
  bool WriteDouble(uint16_t arrayNumber, uint16_t index, double value);

 private:
  struct Array {
    uint8_t typeCode;
    std::vector<int32_t> integers;  // every type code but 19
    std::vector<double> doubles;    // type code 19
    bool IsFloat() const { return typeCode == kTypeFloat; }
    std::size_t Count() const { return IsFloat() ? doubles.size() : integers.size(); }
  };
  struct alignas(64) Stripe {
    mutable StripeLock lock;
  };

  static constexpr std::size_t kArrayNumbers = 65536;
  static constexpr std::size_t kStripes = 256;

  StripeLock& StripeOf(uint16_t arrayNumber) const { return stripes_[arrayNumber % kStripes].lock; }
  // The array holding element `index`, or null when the array or the element
  // does not exist. The caller holds the array's stripe.
  Array* Holding(uint16_t arrayNumber, uint16_t index) const;

  std::array<Stripe, kStripes> stripes_;
  std::array<std::unique_ptr<Array>, kArrayNumbers> arrays_;
};

// A double as a signed 32-bit integer: truncated toward zero, saturating at the
// ends of the range, NaN as 0.
int32_t ToInteger(double value);

}  // namespace qordata
