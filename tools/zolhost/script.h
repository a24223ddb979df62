// Scripts: one call per line, in the words of `zolhost call` (the leading
// "call" is optional), with '#' comments. All lines share one set of caller
// areas and one array store, as the calls of a real host do. A line
// "wait MS" pauses for MS milliseconds (to hear a sound before it is stopped).
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "session.h"

namespace zolhost {

// Splits a line into words at white space. '...' and "..." quote (no escapes
// inside; \uXXXX is decoded later, in text values). A '#' that starts a word
// starts a comment. Throws UsageError on an unclosed quote.
std::vector<std::string> SplitWords(std::string_view line);

struct ScriptOutput {
  std::ostream& out;
  bool json;  // one JSON object per call and line, with "file" and "line"
};

// Runs every line. An error stops the run and is rethrown with "name:line: ".
void RunScript(std::istream& in, const std::string& name, Session& session,
               const ScriptOutput& output);

}  // namespace zolhost
