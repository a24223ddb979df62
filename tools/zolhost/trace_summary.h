// zolhost trace-summary: where a host spends its time. For every operation in
// a trace, its calls and their total, median and longest duration.
#pragma once

#include <filesystem>
#include <ostream>

namespace zolhost {

void SummariseTrace(const std::filesystem::path& trace, std::ostream& out, bool json);

}  // namespace zolhost
