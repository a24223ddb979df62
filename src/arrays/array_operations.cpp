// The array operations. Not built yet: each accepts the call and touches nothing.
#include "dispatch/operations.h"

namespace zol {

void GetArraySize(const CallerAreas&) {}
void SumArray(const CallerAreas&) {}
void AverageArray(const CallerAreas&) {}
void WriteIntegerBytes(const CallerAreas&) {}
void ReadIntegerBytes(const CallerAreas&) {}

}  // namespace zol
