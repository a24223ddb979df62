// GetSystemErrorText. Not built yet: accepts the call and touches nothing.
#include "dispatch/operations.h"

namespace zol {

void GetSystemErrorText(const CallerAreas&) {}

}  // namespace zol
