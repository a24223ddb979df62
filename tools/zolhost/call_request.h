// One call as the user asked for it: the operation and the slots to fill.
//
// The words after the operation name are its named inputs (see operations.cpp)
// and the generic setters, which reach any slot:
//   --int K=V  --double K=V  --array-number K=V   numeric slot K (0 to 19)
//   --string0 TEXT  --string1 TEXT                 string slot 0 or 1
// Every setter fills the whole slot: the value in its first bytes, zeros after.
#pragma once

#include <string>
#include <vector>

#include "caller_areas.h"
#include "operations.h"

namespace zolhost {

struct SlotWrite {
  bool isString;
  int index;  // numeric slot, or string slot when isString
  SlotBytes bytes;
  std::u16string text;
  std::string source;  // the option that asked for it, for messages
};

struct CallRequest {
  const Operation* operation = nullptr;
  std::vector<SlotWrite> writes;
  bool json = false;  // --json after the operation (command line only)
  bool help = false;  // --help after the operation
};

// What the words of a call may hold besides the operation's inputs.
struct CallSyntax {
  bool allowJson = false;
};

// Parses "OPERATION [inputs...]". Throws UsageError.
CallRequest ParseCall(const std::vector<std::string>& words, const CallSyntax& syntax);

// Stores the requested values into the areas.
void ApplyWrites(CallerAreas& areas, const std::vector<SlotWrite>& writes);

// The operation's summary and inputs, and the generic setters: the help text
// of `zolhost call OPERATION --help`.
std::string OperationHelp(const Operation& operation);

}  // namespace zolhost
