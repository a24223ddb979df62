// A host's side of the calls: one set of caller areas, kept from call to call
// as a real host keeps them, and the library's entry point.
#pragma once

#include <cstdint>

#include "call_request.h"
#include "caller_areas.h"
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
  explicit Session(ZolFunctionPointer entry) : entry_(entry) {}

  // Fills the requested slots, then calls DoZolFunction on the areas.
  CallRecord Call(const CallRequest& request);

 private:
  ZolFunctionPointer entry_;
  CallerAreas areas_;
};

}  // namespace zolhost
