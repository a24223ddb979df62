// PlaySoundFile and StopSound. Not built yet: both accept the call and touch
// nothing.
#include "dispatch/operations.h"

namespace zol {

void PlaySoundFile(const CallerAreas&) {}
void StopSound(const CallerAreas&) {}

}  // namespace zol
