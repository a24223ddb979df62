// The library's one entry point: check the function number, run the operation.
#include <array>
#include <cstdint>

#include "operations.h"
#include "zolutilities.h"

namespace {

using Operation = void (*)(const zol::CallerAreas&);

// Indexed by function number - 1.
constexpr std::array<Operation, ZOL_LAST_FUNCTION> kOperations = {
    zol::StartTimer,         zol::ReadElapsedTime,    zol::ArcSine,           zol::ArcCosine,
    zol::ArcTangent,         zol::PlaySoundFile,      zol::StopSound,         zol::GetArraySize,
    zol::SumArray,           zol::AverageArray,       zol::WriteIntegerBytes, zol::ReadIntegerBytes,
    zol::GetSystemErrorText, zol::FindString,         zol::FindStringNoCase,  zol::GetStringField,
    zol::IntegerBitsToFloat, zol::FloatToIntegerBits,
};

}  // namespace

extern "C" int32_t ZOL_CALL DoZolFunction(int32_t functionNumber, void* parameterBlock,
                                          void* resultValue, uint16_t* resultText) {
  // One unsigned comparison rejects both numbers below 1 and above 18.
  const uint32_t index = static_cast<uint32_t>(functionNumber) - 1U;
  if (index >= kOperations.size()) {
    return ZOL_STATUS_UNKNOWN_FUNCTION;
  }
  const zol::CallerAreas areas{static_cast<unsigned char*>(parameterBlock),
                               static_cast<unsigned char*>(resultValue),
                               reinterpret_cast<unsigned char*>(resultText)};
  kOperations[index](areas);
  return ZOL_STATUS_OK;
}
