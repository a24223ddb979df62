/*
 * The stand-in QorData's host API: what a host program uses to set up the
 * arrays that a client library then reaches through QorData.h. Every call is
 * safe from several threads at once. Calls return 0 on success, non-zero when
 * the array or index does not exist.
 */
#ifndef QORDATAHOST_H
#define QORDATAHOST_H

#include "QorData.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Creates array `arrayNumber` (or replaces it) with `count` zero elements. */
QOR_API int32_t QOR_CALL CreateArray(uint16_t arrayNumber, uint8_t typeCode, uint16_t count);

/* Deletes an array; non-zero if there was none. */
QOR_API int32_t QOR_CALL DeleteArray(uint16_t arrayNumber);

/* Stores a double into element `index` (truncated toward zero, saturating, in
 * an integer array). */
QOR_API int32_t QOR_CALL WriteArrayFloatDataItem(uint16_t arrayNumber, uint16_t index,
                                                 double value);

#ifdef __cplusplus
}
#endif

#endif /* QORDATAHOST_H */
