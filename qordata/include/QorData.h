/*
 * QorData: the host's numbered data arrays, as the four calls a client library
 * uses to reach them. This is the stand-in store's header; a real host's
 * QorData exports the same four calls under the same names.
 *
 * Each call returns 0 on success and non-zero when the array or index does not
 * exist, in which case it stores nothing.
 */
#ifndef QORDATA_H
#define QORDATA_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#if defined(QOR_USE_CDECL)
#define QOR_CALL __cdecl
#else
#define QOR_CALL __stdcall
#endif
#else
#define QOR_CALL
#endif

#if defined(_WIN32)
#if defined(QOR_BUILDING_LIBRARY)
#define QOR_API
#else
#define QOR_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define QOR_API __attribute__((visibility("default")))
#else
#define QOR_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The data-type code of an array that holds doubles; every other code holds
 * signed 32-bit integers in this stand-in (a real host's codes may differ). */
#define QOR_TYPE_FLOAT 19

/* Type code into *typeCode, element count into *count. The other four outputs
 * are each 4 bytes wide; this store writes 0 into them. */
QOR_API int32_t QOR_CALL GetArrayInfo(uint16_t arrayNumber, uint8_t* typeCode, int32_t* output2,
                                      uint16_t* count, int32_t* output4, int32_t* output5,
                                      int32_t* output6);

/* Element `index` as a signed 32-bit integer (a double element is converted). */
QOR_API int32_t QOR_CALL ReadArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t* value);

/* Element `index` as a double (an integer element is converted exactly). */
QOR_API int32_t QOR_CALL ReadArrayFloatDataItem(uint16_t arrayNumber, uint16_t index,
                                                double* value);

/* Stores `value` into element `index` (converted to double in a float array). */
QOR_API int32_t QOR_CALL WriteArrayDataItem(uint16_t arrayNumber, uint16_t index, int32_t value);

#ifdef __cplusplus
}
#endif

#endif /* QORDATA_H */
