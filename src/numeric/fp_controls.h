// The x86 floating-point control and status registers, read and written with
// one instruction each: the x87 control and status words and the SSE MXCSR.
// Header-only, so that a check on every call costs a few cycles. On other
// processors there is nothing to read, and every control reads as the default.
#pragma once

#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#define ZOL_X86_FP_CONTROLS 1
#endif
// On x86-64 the library's arithmetic and the maths library run on SSE alone, so
// the x87 state can neither change a result nor collect a flag from the library:
// only MXCSR needs checking. On 32-bit x86 doubles pass through the x87 stack,
// and the Windows C runtime's inverse trigonometry computes there.
#if defined(__i386__)
#define ZOL_X87_IN_USE 1
#endif

namespace zol::fp {

// The state the library computes in: every exception masked, round to nearest,
// the x87 unit at 64-bit precision, no flush-to-zero or denormals-are-zero.
inline constexpr uint16_t kDefaultX87Control = 0x037F;
inline constexpr uint32_t kDefaultMxcsr = 0x1F80;

// The control word's masks (bits 0-5), precision (8-9) and rounding (10-11);
// bit 12 (infinity control) and the reserved bits change nothing on an x87.
inline constexpr uint16_t kX87ControlBits = 0x0F3F;
// MXCSR without its six exception flags (bits 0-5).
inline constexpr uint32_t kMxcsrControlBits = 0xFFC0;
inline constexpr uint16_t kX87FlagBits = 0x003F;
inline constexpr uint32_t kMxcsrFlagBits = 0x003F;

// The x87 environment as FNSTENV stores it: control, status and tag words and
// the last instruction's pointers, 28 bytes in 32-bit form.
struct X87Environment {
  uint16_t control;
  uint16_t unused0;
  uint16_t status;
  uint16_t unused1;
  uint32_t rest[5];
};

#if defined(ZOL_X86_FP_CONTROLS)

inline uint16_t ReadX87Control() {
  uint16_t control;
  asm volatile("fnstcw %0" : "=m"(control)::"memory");
  return control;
}
inline void WriteX87Control(uint16_t control) {
  asm volatile("fldcw %0" ::"m"(control) : "memory");
}
inline uint16_t ReadX87Status() {
  uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status)::"memory");
  return status;
}
inline void ClearX87Flags() {
  asm volatile("fnclex" ::: "memory");
}
// Also masks every x87 exception, as FNSTENV does.
inline void SaveX87Environment(X87Environment& environment) {
  asm volatile("fnstenv %0" : "=m"(environment)::"memory");
}
// FLDENV also replaces the tag word, so no value may stay on the x87 stack
// across it: the clobbers tell the compiler so.
inline void LoadX87Environment(const X87Environment& environment) {
  asm volatile("fldenv %0" ::"m"(environment)
               : "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
}
inline uint32_t ReadMxcsr() {
  uint32_t mxcsr;
  asm volatile("stmxcsr %0" : "=m"(mxcsr)::"memory");
  return mxcsr;
}
inline void WriteMxcsr(uint32_t mxcsr) {
  asm volatile("ldmxcsr %0" ::"m"(mxcsr) : "memory");
}

#else

inline uint16_t ReadX87Control() {
  return kDefaultX87Control;
}
inline void WriteX87Control(uint16_t) {}
inline uint16_t ReadX87Status() {
  return 0;
}
inline void ClearX87Flags() {}
inline void SaveX87Environment(X87Environment& environment) {
  environment = {kDefaultX87Control, 0, 0, 0, {}};
}
inline void LoadX87Environment(const X87Environment&) {}
inline uint32_t ReadMxcsr() {
  return kDefaultMxcsr;
}
inline void WriteMxcsr(uint32_t) {}

#endif

inline bool IsDefaultX87Control(uint16_t control) {
  return (control & kX87ControlBits) == (kDefaultX87Control & kX87ControlBits);
}
inline bool IsDefaultMxcsr(uint32_t mxcsr) {
  return (mxcsr & kMxcsrControlBits) == kDefaultMxcsr;
}

}  // namespace zol::fp
