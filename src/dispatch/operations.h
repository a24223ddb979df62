// The eighteen operations. Each reads its inputs from fixed slots of the caller
// areas and writes only the outputs its function number promises.
#pragma once

#include "caller_areas.h"

namespace zol {

void StartTimer(const CallerAreas& areas);
void ReadElapsedTime(const CallerAreas& areas);
void ArcSine(const CallerAreas& areas);
void ArcCosine(const CallerAreas& areas);
void ArcTangent(const CallerAreas& areas);
void PlaySoundFile(const CallerAreas& areas);
void StopSound(const CallerAreas& areas);
void GetArraySize(const CallerAreas& areas);
void SumArray(const CallerAreas& areas);
void AverageArray(const CallerAreas& areas);
void WriteIntegerBytes(const CallerAreas& areas);
void ReadIntegerBytes(const CallerAreas& areas);
void GetSystemErrorText(const CallerAreas& areas);
void FindString(const CallerAreas& areas);
void FindStringNoCase(const CallerAreas& areas);
void GetStringField(const CallerAreas& areas);
void IntegerBitsToFloat(const CallerAreas& areas);
void FloatToIntegerBits(const CallerAreas& areas);

}  // namespace zol
