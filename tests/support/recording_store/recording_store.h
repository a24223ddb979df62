/*
 * A QorData of the tests' own, built as libQorData.so / QorData.dll and loaded
 * in place of the stand-in the way a host supplies its own store. It serves
 * scripted arrays, stores what is written into them, and records every one of
 * the four calls with its arguments and with what its outputs held before the
 * store wrote to them.
 */
#ifndef RECORDING_STORE_H
#define RECORDING_STORE_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(RECORDING_STORE_BUILDING)
#define RECORDING_API
#else
#define RECORDING_API __declspec(dllimport)
#endif
#else
#define RECORDING_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum RecordedCallKind {
  RECORDED_GET_ARRAY_INFO = 1,
  RECORDED_READ_ARRAY_DATA_ITEM = 2,
  RECORDED_READ_ARRAY_FLOAT_DATA_ITEM = 3,
  RECORDED_WRITE_ARRAY_DATA_ITEM = 4
};

typedef struct RecordedCall {
  int32_t kind;
  uint16_t arrayNumber;
  uint16_t index; /* reads and writes */
  int32_t value;  /* the value a write passed */
  /* What each output held before the store wrote: GetArrayInfo's six outputs,
   * 4 bytes each; a read's one output, 4 or 8 bytes. */
  uint64_t outputsBefore[6];
  /* GetArrayInfo: non-zero when the six outputs are non-null and 4 bytes apart
   * at least, so that no output overlaps another. */
  int32_t outputsSeparate;
} RecordedCall;

/* Forgets every array and call, and turns wide outputs off. */
RECORDING_API void RecordingStoreReset(void);

/* Creates or replaces an array of `count` elements. An integer read of an
 * element truncates it; a write stores the integer. */
RECORDING_API void RecordingStoreSetArray(uint16_t arrayNumber, uint8_t typeCode,
                                          const double* elements, uint16_t count);

/* Non-zero: GetArrayInfo fills all 4 bytes of each output, with junk above the
 * type code's 8 bits and the count's 16 bits and in the unused outputs, as a
 * store that declares every output as a 32-bit integer may. */
RECORDING_API void RecordingStoreSetWideOutputs(int32_t on);

/* An array's element, or NaN when it does not exist. */
RECORDING_API double RecordingStoreElement(uint16_t arrayNumber, uint16_t index);

RECORDING_API int32_t RecordingStoreCallCount(void);
/* Copies call `i` (0 = first) into *call; non-zero when there is no such call. */
RECORDING_API int32_t RecordingStoreGetCall(int32_t i, RecordedCall* call);

#ifdef __cplusplus
}
#endif

#endif /* RECORDING_STORE_H */
