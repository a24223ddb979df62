// zolhost replay: runs every call of a trace against a library and compares
// what it did with what the trace recorded.
//
// Each call starts from zeroed areas holding the recorded inputs and the
// recorded bytes the call may change, with each array it reaches rebuilt in
// the stand-in store from the recorded elements. Then the status, every byte
// of the three areas and, for WriteIntegerBytes, the elements written are
// compared. Timer, sound and system-text calls (1, 2, 6, 7, 13) depend on the
// machine: they run, but are counted as not comparable.
#pragma once

#include <filesystem>
#include <ostream>

#include "zolutilities.h"

namespace zolhost {

// Prints the report (text, or one JSON object). Returns 0 when no call
// differs, 1 otherwise.
int Replay(ZolFunctionPointer entry, const std::filesystem::path& trace, std::ostream& out,
           bool json);

}  // namespace zolhost
