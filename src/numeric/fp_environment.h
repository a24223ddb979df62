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

class DefaultFloatingPoint {
 public:
  DefaultFloatingPoint()
      : x87Switched_(!fp::X87NeedsNoSwitch()),
        mxcsr_(fp::ReadMxcsr()),
        mxcsrSwitched_(!fp::IsDefaultMxcsr(mxcsr_)) {
    if (x87Switched_) {
      // Keeps the host's control word, flags and tags; masks every exception.
      fp::SaveX87Environment(x87_);
      fp::WriteX87Control(fp::kDefaultX87Control);
    }
    if (mxcsrSwitched_) {
      fp::WriteMxcsr(fp::kDefaultMxcsr);
    }
  }

  // Hands back the host's control words and its own exception flags. Flags the
  // library raised are dropped, so none can trap the host's next instruction;
  // in the default state they stay raised, masked, as any masked flag does.
  ~DefaultFloatingPoint() {
    if (x87Switched_) {
      fp::LoadX87Environment(x87_);
    }
    if (mxcsrSwitched_) {
      fp::WriteMxcsr(mxcsr_);
    }
  }

  DefaultFloatingPoint(const DefaultFloatingPoint&) = delete;
  DefaultFloatingPoint& operator=(const DefaultFloatingPoint&) = delete;

  // Whether the calling thread is in the default state now, so that a loop can
  // decide once whether its steps need a guard each.
  static bool InForce() { return fp::X87NeedsNoSwitch() && fp::IsDefaultMxcsr(fp::ReadMxcsr()); }

 private:
  bool x87Switched_;
  uint32_t mxcsr_;
  bool mxcsrSwitched_;
  fp::X87Environment x87_{};  // filled by the switch; dead stores where there is no x87 to switch
};

}  // namespace zol
