// A host's side of the calls: one set of caller areas, kept from call to call
// as a real host keeps them, and the library's entry point.
#pragma once

#include <cstdint>
#include <optional>

#include "call_request.h"
#include "caller_areas.h"
#include "fp_environments.h"
#include "zolutilities.h"

namespace zolhost {

// What one call did: the areas as the library received them and as it left them.
struct CallRecord {
  const Operation* operation;
  int32_t status;
  CallerAreas before;
  CallerAreas after;
};

class Session {
 public:
  // With `fpControls`, every call is made in that floating-point state.
  explicit Session(ZolFunctionPointer entry, std::optional<FpControls> fpControls = {})
      : entry_(entry), fpControls_(fpControls) {}

  // Fills the requested slots, then calls DoZolFunction on the areas. A call
  // that leaves a chosen floating-point state changed, or a trap pending, is a
  // HostError.
  CallRecord Call(const CallRequest& request);

 private:
  int32_t CallInFpState(const CallRequest& request, FpControls controls);

  ZolFunctionPointer entry_;
  std::optional<FpControls> fpControls_;
  CallerAreas areas_;
};

}  // namespace zolhost
