// A deliberately wrong build of the library, for the replay tests: it forwards
// every call to the real library (loaded from ZOL_LIBRARY_PATH) and then adds
// one ulp to ArcTangent's result. A replay against it must name exactly the
// ArcTangent calls.
#include <cmath>
#include <cstring>

#include "library_loader.h"
#include "zolutilities.h"

extern "C" int32_t ZOL_CALL DoZolFunction(int32_t functionNumber, void* parameterBlock,
                                          void* resultValue, uint16_t* resultText) {
  static const auto real = zolcalls::LoadEntryPoint(ZOL_LIBRARY_PATH).entry;
  const int32_t status = real(functionNumber, parameterBlock, resultValue, resultText);
  if (functionNumber == ZOL_FN_ARC_TANGENT) {
    double result;
    std::memcpy(&result, resultValue, sizeof result);
    result = std::nextafter(result, INFINITY);
    std::memcpy(resultValue, &result, sizeof result);
  }
  return status;
}
