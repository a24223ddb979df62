// The operation table (tools/zolcalls) as zolhost's command line uses it.
#pragma once

#include <string>
#include <string_view>

#include "operation_table.h"

namespace zolhost {

using zolcalls::Field;
using zolcalls::KindName;
using zolcalls::Operation;
using zolcalls::Operations;
using zolcalls::ResultKind;
using zolcalls::SlotKind;

// An operation by name (any letter case) or number. Throws UsageError naming
// the valid operations.
const Operation& FindOperation(std::string_view nameOrNumber);

// "--start       slot 0, integer: position to search from", for lists and help.
std::string DescribeField(const Field& field);

}  // namespace zolhost
