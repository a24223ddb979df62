// ArcSine, ArcCosine, ArcTangent: the standard maths library's inverse
// trigonometric functions of slot 0, as a double result. Out-of-domain and NaN
// arguments give the NaN the maths library returns. They compute in the default
// floating-point state, so the host's rounding, precision or traps change
// neither the result nor the host.
#include <cmath>

#include "dispatch/operations.h"
#include "numeric/fp_environment.h"

namespace zol {

void ArcSine(const CallerAreas& areas) {
  const DefaultFloatingPoint defaultState;
  WriteResultDouble(areas, std::asin(ReadSlotDouble(areas, 0)));
}

void ArcCosine(const CallerAreas& areas) {
  const DefaultFloatingPoint defaultState;
  WriteResultDouble(areas, std::acos(ReadSlotDouble(areas, 0)));
}

void ArcTangent(const CallerAreas& areas) {
  const DefaultFloatingPoint defaultState;
  WriteResultDouble(areas, std::atan(ReadSlotDouble(areas, 0)));
}

}  // namespace zol
