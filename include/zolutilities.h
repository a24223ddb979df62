/*
 * ZolUtilities: eighteen numbered utility operations behind one entry point.
 *
 * A host fills a parameter block, calls DoZolFunction with a function number and
 * pointers to three areas it owns, and reads the result back. All areas are raw,
 * little-endian bytes; the library reads and writes them byte for byte and needs
 * no particular alignment. Text is zero-terminated 16-bit UTF-16 code units.
 *
 * Plain C (C99 or later) and C++.
 */
#ifndef ZOLUTILITIES_H
#define ZOLUTILITIES_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

/* Calling convention: __stdcall on 32-bit Windows (define ZOL_USE_CDECL for a
 * DLL built with the __cdecl option), nothing elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#if defined(ZOL_USE_CDECL)
#define ZOL_CALL __cdecl
#else
#define ZOL_CALL __stdcall
#endif
#else
#define ZOL_CALL
#endif

/* Export macro. The Windows DLL exports its entry point through a module
 * definition file, so the library itself is built without dllexport. */
#if defined(_WIN32)
#if defined(ZOL_BUILDING_LIBRARY)
#define ZOL_API
#else
#define ZOL_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define ZOL_API __attribute__((visibility("default")))
#else
#define ZOL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Function numbers, one per operation. */
enum ZolFunctionNumber {
  ZOL_FN_START_TIMER = 1,
  ZOL_FN_READ_ELAPSED_TIME = 2,
  ZOL_FN_ARC_SINE = 3,
  ZOL_FN_ARC_COSINE = 4,
  ZOL_FN_ARC_TANGENT = 5,
  ZOL_FN_PLAY_SOUND_FILE = 6,
  ZOL_FN_STOP_SOUND = 7,
  ZOL_FN_GET_ARRAY_SIZE = 8,
  ZOL_FN_SUM_ARRAY = 9,
  ZOL_FN_AVERAGE_ARRAY = 10,
  ZOL_FN_WRITE_INTEGER_BYTES = 11,
  ZOL_FN_READ_INTEGER_BYTES = 12,
  ZOL_FN_GET_SYSTEM_ERROR_TEXT = 13,
  ZOL_FN_FIND_STRING = 14,
  ZOL_FN_FIND_STRING_NO_CASE = 15,
  ZOL_FN_GET_STRING_FIELD = 16,
  ZOL_FN_INTEGER_BITS_TO_FLOAT = 17,
  ZOL_FN_FLOAT_TO_INTEGER_BITS = 18
};

#define ZOL_FIRST_FUNCTION 1
#define ZOL_LAST_FUNCTION 18

/* Status codes returned by DoZolFunction. */
enum ZolStatus { ZOL_STATUS_OK = 0, ZOL_STATUS_UNKNOWN_FUNCTION = 3 };

/* Caller-area layout, in bytes unless the name says units. */
#define ZOL_SLOT_SIZE 8            /* one NumericSlot */
#define ZOL_NUMERIC_SLOT_COUNT 20  /* room in the numeric area */
#define ZOL_NUMERIC_AREA_SIZE 160  /* bytes 0..159 */
#define ZOL_TEXT_UNITS 256         /* 16-bit units in a string slot or ResultText */
#define ZOL_STRING_SLOT_OFFSET 160 /* StringSlot 0 */
#define ZOL_STRING_SLOT_STRIDE 512 /* StringSlot k sits at OFFSET + k * STRIDE */
#define ZOL_STRING_SLOT_COUNT 2    /* string slots this library uses */
#define ZOL_BLOCK_SIZE 1184        /* bytes of the block this library may touch */
#define ZOL_RESULT_VALUE_SIZE 8    /* the ResultValue cell */
#define ZOL_RESULT_TEXT_UNITS 256  /* ResultText, in 16-bit units */
#define ZOL_NUMERIC_SLOT_OFFSET(k) ((size_t)(k)*ZOL_SLOT_SIZE)
#define ZOL_STRING_SLOT_OFFSET_OF(k) \
  ((size_t)ZOL_STRING_SLOT_OFFSET + (size_t)(k)*ZOL_STRING_SLOT_STRIDE)

/* The data-type code of an array whose elements are doubles. */
#define ZOL_ARRAY_TYPE_FLOAT 19

/* The parameter block as a struct, for hosts that like one. Every member is a
 * byte or 16-bit array, so the struct has no padding and needs only 2-byte
 * alignment; the library itself accepts any address. */
typedef struct ZolParameterBlock {
  uint8_t numeric[ZOL_NUMERIC_SLOT_COUNT][ZOL_SLOT_SIZE];
  uint16_t text[ZOL_STRING_SLOT_COUNT][ZOL_TEXT_UNITS];
} ZolParameterBlock;

#if defined(__cplusplus)
#define ZOL_STATIC_ASSERT(cond, name) static_assert(cond, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define ZOL_STATIC_ASSERT(cond, name) _Static_assert(cond, #name)
#else
#define ZOL_STATIC_ASSERT(cond, name) typedef char zol_static_assert_##name[(cond) ? 1 : -1]
#endif

ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric) == 0, numeric_at_0);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric[1]) == 8, slot1_at_8);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric[2]) == 16, slot2_at_16);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric[3]) == 24, slot3_at_24);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric[4]) == 32, slot4_at_32);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, numeric[19]) == 152, slot19_at_152);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, text) == ZOL_STRING_SLOT_OFFSET, text0_at_160);
ZOL_STATIC_ASSERT(offsetof(ZolParameterBlock, text[1]) == 672, text1_at_672);
ZOL_STATIC_ASSERT(ZOL_STRING_SLOT_OFFSET_OF(1) == 672, text1_offset_672);
ZOL_STATIC_ASSERT(ZOL_NUMERIC_SLOT_COUNT* ZOL_SLOT_SIZE == ZOL_NUMERIC_AREA_SIZE, numeric_area);
ZOL_STATIC_ASSERT(ZOL_TEXT_UNITS * 2 == ZOL_STRING_SLOT_STRIDE, text_slot_bytes);
ZOL_STATIC_ASSERT(sizeof(ZolParameterBlock) == ZOL_BLOCK_SIZE, block_is_1184_bytes);

/*
 * Runs operation `functionNumber` (1..18) on the caller's areas:
 *   parameterBlock  at least ZOL_BLOCK_SIZE bytes (numeric and string inputs);
 *   resultValue     ZOL_RESULT_VALUE_SIZE bytes (a double, or an int32 in bytes 0..3);
 *   resultText      ZOL_RESULT_TEXT_UNITS 16-bit units.
 * Returns ZOL_STATUS_OK, or ZOL_STATUS_UNKNOWN_FUNCTION (touching nothing) for a
 * number outside 1..18.
 */
ZOL_API int32_t ZOL_CALL DoZolFunction(int32_t functionNumber, void* parameterBlock,
                                       void* resultValue, uint16_t* resultText);

/* Pointer type for hosts that load the library at run time. */
typedef int32_t(ZOL_CALL* ZolFunctionPointer)(int32_t, void*, void*, uint16_t*);

/* Byte-exact helpers for hosts: slot k of a block, at any alignment. */
static inline void ZolSetInteger(void* block, int k, int32_t value) {
  memcpy((uint8_t*)block + ZOL_NUMERIC_SLOT_OFFSET(k), &value, sizeof value);
}
static inline int32_t ZolGetInteger(const void* block, int k) {
  int32_t value;
  memcpy(&value, (const uint8_t*)block + ZOL_NUMERIC_SLOT_OFFSET(k), sizeof value);
  return value;
}
static inline void ZolSetDouble(void* block, int k, double value) {
  memcpy((uint8_t*)block + ZOL_NUMERIC_SLOT_OFFSET(k), &value, sizeof value);
}
static inline double ZolGetDouble(const void* block, int k) {
  double value;
  memcpy(&value, (const uint8_t*)block + ZOL_NUMERIC_SLOT_OFFSET(k), sizeof value);
  return value;
}

#ifdef __cplusplus
}
#endif

#endif /* ZOLUTILITIES_H */
