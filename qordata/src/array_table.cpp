#include "array_table.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <shared_mutex>
#include <utility>

namespace qordata {

int32_t ToInteger(double value) {
  constexpr auto kMin = std::numeric_limits<int32_t>::min();
  constexpr auto kMax = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) {
    return 0;
  }
  if (value <= static_cast<double>(kMin)) {
    return kMin;
  }
  if (value >= static_cast<double>(kMax)) {
    return kMax;
  }
  return static_cast<int32_t>(value);
}

void ArrayTable::Create(uint16_t arrayNumber, uint8_t typeCode, uint16_t count) {
  // Allocate before taking the lock; the old array, swapped into `fresh`, is
  // freed after the lock is released.
  auto fresh = std::make_unique<Array>();
  fresh->typeCode = typeCode;
  if (fresh->IsFloat()) {
    fresh->doubles.resize(count);
  } else {
    fresh->integers.resize(count);
  }
  std::unique_lock lock(StripeOf(arrayNumber));
  arrays_[arrayNumber].swap(fresh);
}

bool ArrayTable::Delete(uint16_t arrayNumber) {
  std::unique_ptr<Array> old;
  {
    std::unique_lock lock(StripeOf(arrayNumber));
    old.swap(arrays_[arrayNumber]);
  }
  return old != nullptr;
}

std::optional<ArrayInfo> ArrayTable::Info(uint16_t arrayNumber) const {
  std::shared_lock lock(StripeOf(arrayNumber));
  const Array* array = arrays_[arrayNumber].get();
  if (array == nullptr) {
    return std::nullopt;
  }
  return ArrayInfo{array->typeCode, static_cast<uint16_t>(array->Count())};
}

ArrayTable::Array* ArrayTable::Holding(uint16_t arrayNumber, uint16_t index) const {
  Array* array = arrays_[arrayNumber].get();
  return array != nullptr && index < array->Count() ? array : nullptr;
}

std::optional<int32_t> ArrayTable::ReadInteger(uint16_t arrayNumber, uint16_t index) const {
  std::shared_lock lock(StripeOf(arrayNumber));
  const Array* array = Holding(arrayNumber, index);
  if (array == nullptr) {
    return std::nullopt;
  }
  return array->IsFloat() ? ToInteger(array->doubles[index]) : array->integers[index];
}

std::optional<double> ArrayTable::ReadDouble(uint16_t arrayNumber, uint16_t index) const {
  std::shared_lock lock(StripeOf(arrayNumber));
  const Array* array = Holding(arrayNumber, index);
  if (array == nullptr) {
    return std::nullopt;
  }
  return array->IsFloat() ? array->doubles[index] : static_cast<double>(array->integers[index]);
}

bool ArrayTable::WriteInteger(uint16_t arrayNumber, uint16_t index, int32_t value) {
  std::unique_lock lock(StripeOf(arrayNumber));
  Array* array = Holding(arrayNumber, index);
  if (array == nullptr) {
    return false;
  }
  if (array->IsFloat()) {
    array->doubles[index] = static_cast<double>(value);
  } else {
    array->integers[index] = value;
  }
  return true;
}

bool ArrayTable::WriteDouble(uint16_t arrayNumber, uint16_t index, double value) {
  std::unique_lock lock(StripeOf(arrayNumber));
  Array* array = Holding(arrayNumber, index);
  if (array == nullptr) {
    return false;
  }
  if (array->IsFloat()) {
    array->doubles[index] = value;
  } else {
    array->integers[index] = ToInteger(value);
  }
  return true;
}

}  // namespace qordata
