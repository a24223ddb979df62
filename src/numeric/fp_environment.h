// DefaultFloatingPoint: for its lifetime the calling thread computes in the
// library's default floating-point state, whatever the host left there; on
// exit the host's state is back exactly as it was.
//
// Hosts change the state: a Delphi host unmasks the invalid, zero-divide and
// overflow traps, Direct3D 9 leaves the x87 at 24-bit precision, -ffast-math
// programs set flush-to-zero. Results must not depend on it, and no call may
// trap. The usual case costs a read of the control registers and a comparison;
// only a host whose state differs pays for saving and switching.
//
// Arithmetic must read its inputs from memory after the guard is made and
// store its results to memory before it ends: the compiler keeps loads and
// stores on their side of the guard's instructions, but not register-only work.
#pragma once

#include "numeric/fp_controls.h"

namespace zol {

#if defined(ZOL_X87_IN_USE)
// The x87 half, where doubles pass through the x87 stack (32-bit x86).
class DefaultX87 {
 public:
  DefaultX87() : switched_(!fp::IsDefaultX87Control(fp::ReadX87Control())) {
    if (switched_) {
      // Keeps the host's control word, flags and tags; masks every exception.
      fp::SaveX87Environment(host_);
      fp::WriteX87Control(fp::kDefaultX87Control);
    }
  }
  // Hands back the host's control word and its own exception flags: flags the
  // library raised are dropped, so none can trap the host's next x87 instruction.
  ~DefaultX87() {
    if (switched_) {
      fp::LoadX87Environment(host_);
    }
  }
  DefaultX87(const DefaultX87&) = delete;
  DefaultX87& operator=(const DefaultX87&) = delete;

  static bool InForce() { return fp::IsDefaultX87Control(fp::ReadX87Control()); }

 private:
  bool switched_;
  fp::X87Environment host_{};  // filled by the switch
};
#else
// On x86-64 (and elsewhere) the x87 neither changes a result nor collects a
// flag from the library, so there is nothing to check: no code at all, which
// matters in a call that costs a few nanoseconds.
class DefaultX87 {
 public:
  static bool InForce() { return true; }
};
#endif

class DefaultFloatingPoint {
 public:
  DefaultFloatingPoint() : mxcsr_(fp::ReadMxcsr()) {
    if (!fp::IsDefaultMxcsr(mxcsr_)) {
      fp::WriteMxcsr(fp::kDefaultMxcsr);
    }
  }

  // Hands back the host's MXCSR with its own exception flags. In the default
  // state the library's flags stay raised, masked, as any masked flag does.
  ~DefaultFloatingPoint() {
    if (!fp::IsDefaultMxcsr(mxcsr_)) {
      fp::WriteMxcsr(mxcsr_);
    }
  }

  DefaultFloatingPoint(const DefaultFloatingPoint&) = delete;
  DefaultFloatingPoint& operator=(const DefaultFloatingPoint&) = delete;

  // Whether the calling thread is in the default state now, so that a loop can
  // decide once whether its steps need a guard each.
  static bool InForce() { return DefaultX87::InForce() && fp::IsDefaultMxcsr(fp::ReadMxcsr()); }

 private:
  // Made before MXCSR is switched and ended after it is handed back.
  [[no_unique_address]] DefaultX87 x87_;
  uint32_t mxcsr_;
};

}  // namespace zol
