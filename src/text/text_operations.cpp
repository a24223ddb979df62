// The text operations. Not built yet: each accepts the call and touches nothing.
#include "dispatch/operations.h"

namespace zol {

void FindString(const CallerAreas&) {}
void FindStringNoCase(const CallerAreas&) {}
void GetStringField(const CallerAreas&) {}

}  // namespace zol
