// Operations whose groups are not built yet: they accept the call and touch
// nothing. Each group removes its entries here as it lands.
#include "operations.h"

namespace zol {

void StartTimer(const CallerAreas&) {}
void ReadElapsedTime(const CallerAreas&) {}
void PlaySoundFile(const CallerAreas&) {}
void StopSound(const CallerAreas&) {}
void GetArraySize(const CallerAreas&) {}
void SumArray(const CallerAreas&) {}
void AverageArray(const CallerAreas&) {}
void WriteIntegerBytes(const CallerAreas&) {}
void ReadIntegerBytes(const CallerAreas&) {}
void GetSystemErrorText(const CallerAreas&) {}
void FindString(const CallerAreas&) {}
void FindStringNoCase(const CallerAreas&) {}
void GetStringField(const CallerAreas&) {}

}  // namespace zol
