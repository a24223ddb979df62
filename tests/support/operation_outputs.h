// What each operation may change (tools/zolcalls/changeable_bytes.h), and a
// check that a call changed nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "changeable_bytes.h"

using zolcalls::ByteRange;
using zolcalls::CallerArea;
using zolcalls::Changeable;
using zolcalls::ChangeableBytes;
using zolcalls::kResultTextBytes;

// The first byte of `after` (an area of `size` bytes) that differs from
// `before` although `fn` may not change it, or `size` when there is none.
inline std::size_t FirstForbiddenChange(int32_t fn, CallerArea area, const unsigned char* before,
                                        const unsigned char* after, std::size_t size) {
  const Changeable may = ChangeableBytes(fn, area);
  const ByteRange gaps[] = {
      {0, may.first.begin}, {may.first.end, may.second.begin}, {may.second.end, size}};
  for (const ByteRange& gap : gaps) {
    if (gap.begin < gap.end &&
        std::memcmp(before + gap.begin, after + gap.begin, gap.end - gap.begin) != 0) {
      std::size_t at = gap.begin;
      while (before[at] == after[at]) {
        ++at;
      }
      return at;
    }
  }
  return size;
}
