// How a call is shown: its status, its result in the operation's own type, and
// every slot of the parameter block the call changed, as text or as JSON.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string_view>

#include "operations.h"
#include "session.h"

namespace zolhost {

// Text: a heading line, then the result and the changes, indented.
void PrintCall(std::ostream& out, const CallRecord& record);

// JSON:
//   {"operation": "FindStringNoCase", "number": 15, "status": 0,
//    "result": {"type": "integer", "value": 2},
//    "changes": [{"area": "string", "index": 0, "before": "Hello", "after": "hello"}]}
// A double result also carries "bits" (its 8 bytes as hex) and has a string
// value ("nan", "inf", "-inf") when not finite. A numeric slot change carries
// "kind", "before" and "after" values and "bytes_before"/"bytes_after" hex.
nlohmann::ordered_json CallToJson(const CallRecord& record);

// The list of operations, as text or JSON.
void PrintOperations(std::ostream& out);
nlohmann::ordered_json OperationsToJson();

}  // namespace zolhost
