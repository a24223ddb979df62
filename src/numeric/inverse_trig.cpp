// ArcSine, ArcCosine, ArcTangent: the standard maths library's inverse
// trigonometric functions of slot 0, as a double result. Out-of-domain and NaN
// arguments give the NaN the maths library returns.
#include <cmath>

#include "dispatch/operations.h"

namespace zol {

void ArcSine(const CallerAreas& areas) {
  WriteResultDouble(areas, std::asin(ReadSlotDouble(areas, 0)));
}

void ArcCosine(const CallerAreas& areas) {
  WriteResultDouble(areas, std::acos(ReadSlotDouble(areas, 0)));
}

void ArcTangent(const CallerAreas& areas) {
  WriteResultDouble(areas, std::atan(ReadSlotDouble(areas, 0)));
}

}  // namespace zol
