#include "fp_environments.h"

#include <array>
#include <cstdio>

#include "numeric/fp_controls.h"

namespace zolhost {
namespace {

// x87 control word: masks in bits 0-5, precision in 8-9 (0 = 24 bits, 2 = 53,
// 3 = 64), rounding in 10-11 (0 nearest, 1 down, 2 up, 3 toward zero).
// MXCSR: DAZ bit 6, masks 7-12, rounding 13-14 (same codes), FTZ bit 15.
constexpr std::array kEnvironments{
    FpEnvironment{"default", {0x037F, 0x1F80}, "all exceptions masked, round to nearest"},
    FpEnvironment{"trap-x87", {0x0340, 0x1F80}, "every x87 exception unmasked"},
    FpEnvironment{"trap-sse", {0x037F, 0x0000}, "every SSE exception unmasked"},
    FpEnvironment{"trap-invalid", {0x037E, 0x1F00}, "invalid operation unmasked on both units"},
    FpEnvironment{"round-toward-zero", {0x0F7F, 0x7F80}, "both units round toward zero"},
    FpEnvironment{"round-up", {0x0B7F, 0x5F80}, "both units round upward"},
    FpEnvironment{"round-down", {0x077F, 0x3F80}, "both units round downward"},
    FpEnvironment{"x87-24bit", {0x007F, 0x1F80}, "x87 at 24-bit precision (Direct3D 9)"},
    FpEnvironment{"x87-53bit", {0x027F, 0x1F80}, "x87 at 53-bit precision (MSVC start-up)"},
    FpEnvironment{"ftz-daz", {0x037F, 0x9FC0}, "flush-to-zero and denormals-are-zero"},
    FpEnvironment{"delphi", {0x1332, 0x1900}, "invalid, zero-divide, overflow unmasked"},
    FpEnvironment{
        "all", {0x0C40, 0xE040}, "every exception unmasked, toward zero, x87 24-bit, FTZ and DAZ"},
};

}  // namespace

std::span<const FpEnvironment> FpEnvironments() {
  return kEnvironments;
}

const FpEnvironment* FindFpEnvironment(std::string_view name) {
  for (const FpEnvironment& environment : kEnvironments) {
    if (environment.name == name)
      return &environment;
  }
  return nullptr;
}

std::string FpEnvironmentNames() {
  std::string names;
  for (const FpEnvironment& environment : kEnvironments) {
    names += (names.empty() ? "" : ", ") + std::string(environment.name);
  }
  return names;
}

std::string DescribeFpControls(FpControls controls) {
  std::array<char, 48> text{};
  (void)std::snprintf(text.data(), text.size(), "x87 control 0x%04X, MXCSR 0x%04X",
                      static_cast<unsigned>(controls.x87Control),
                      static_cast<unsigned>(controls.mxcsr));
  return text.data();
}

void SetFpControls(FpControls controls) {
  zol::fp::ClearX87Flags();
  zol::fp::WriteX87Control(controls.x87Control);
  zol::fp::WriteMxcsr(controls.mxcsr & zol::fp::kMxcsrControlBits);
}

FpControls ReadFpControls() {
  return {zol::fp::ReadX87Control(), zol::fp::ReadMxcsr() & zol::fp::kMxcsrControlBits};
}

bool FpTrapPending() {
  const uint16_t control = zol::fp::ReadX87Control();
  const uint32_t mxcsr = zol::fp::ReadMxcsr();
  const bool x87 = (zol::fp::ReadX87Status() & ~control & zol::fp::kX87FlagBits) != 0;
  // MXCSR's masks sit 7 bits above their flags.
  const bool sse = (mxcsr & ~(mxcsr >> 7) & zol::fp::kMxcsrFlagBits) != 0;
  return x87 || sse;
}

}  // namespace zolhost
