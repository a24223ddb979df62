// Named floating-point states a host may run in, for zolhost's --fp-env and for
// the tests that call the library from them: the x87 control word and MXCSR.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zolhost {

struct FpControls {
  uint16_t x87Control;
  uint32_t mxcsr;  // control bits; the flags are cleared when it is set
  bool operator==(const FpControls&) const = default;
};

struct FpEnvironment {
  std::string_view name;
  FpControls controls;
  std::string_view description;
};

std::span<const FpEnvironment> FpEnvironments();
// Null for an unknown name.
const FpEnvironment* FindFpEnvironment(std::string_view name);
// "default, trap-x87, ..." for messages.
std::string FpEnvironmentNames();

// "x87 control 0x037F, MXCSR 0x1F80".
std::string DescribeFpControls(FpControls controls);

// Clears every x87 and SSE exception flag and loads both control words.
void SetFpControls(FpControls controls);
// The control words now, without the MXCSR flags.
FpControls ReadFpControls();
// Whether an exception flag is raised whose trap is unmasked: on the x87 such
// a flag traps on the next floating-point instruction.
bool FpTrapPending();

}  // namespace zolhost
