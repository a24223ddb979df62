// The four calls of the host's data library QorData, declared as this library
// makes them. Only array_store.cpp includes this: every array operation goes
// through the ArrayStore.
//
// On 32-bit Windows they are imported from QorData.dll under their plain names,
// __stdcall unless the build asks for __cdecl; elsewhere they come from
// libQorData.so. Their return values are never read.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#if defined(ZOL_QORDATA_CDECL)
#define ZOL_QORDATA_CALL __cdecl
#else
#define ZOL_QORDATA_CALL __stdcall
#endif
#else
#define ZOL_QORDATA_CALL
#endif

#if defined(_WIN32)
#define ZOL_QORDATA_IMPORT __declspec(dllimport)
#else
#define ZOL_QORDATA_IMPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Outputs: 1 = type code (8 bits), 3 = element count (unsigned 16 bits); the
// others are unused. A store may write up to 4 bytes through any of them.
ZOL_QORDATA_IMPORT int32_t ZOL_QORDATA_CALL GetArrayInfo(uint16_t arrayNumber, uint8_t* typeCode,
                                                         int32_t* output2, uint16_t* count,
                                                         int32_t* output4, int32_t* output5,
                                                         int32_t* output6);
ZOL_QORDATA_IMPORT int32_t ZOL_QORDATA_CALL ReadArrayDataItem(uint16_t arrayNumber, uint16_t index,
                                                              int32_t* value);
ZOL_QORDATA_IMPORT int32_t ZOL_QORDATA_CALL ReadArrayFloatDataItem(uint16_t arrayNumber,
                                                                   uint16_t index, double* value);
ZOL_QORDATA_IMPORT int32_t ZOL_QORDATA_CALL WriteArrayDataItem(uint16_t arrayNumber, uint16_t index,
                                                               int32_t value);

}  // extern "C"
