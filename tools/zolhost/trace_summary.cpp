#include "trace_summary.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "library_path.h"
#include "trace_file.h"

namespace zolhost {
namespace {

using zolcalls::json;

struct Durations {
  std::string name;
  std::vector<int64_t> ns;

  int64_t Total() const {
    int64_t sum = 0;
    for (int64_t d : ns) {
      sum += d;
    }
    return sum;
  }
  // The middle duration; the mean of the two middle ones for an even count.
  int64_t Median() {
    std::sort(ns.begin(), ns.end());
    const std::size_t half = ns.size() / 2;
    return ns.size() % 2 == 1 ? ns[half] : (ns[half - 1] + ns[half]) / 2;
  }
};

// "812 ns", "14.5 µs", "3.20 ms", "1.01 s".
std::string Duration(int64_t ns) {
  if (ns < 1000)
    return std::to_string(ns) + " ns";
  struct Unit {
    double scale;
    const char* name;
  };
  const Unit unit = ns < 1000000      ? Unit{1e3, "µs"}
                    : ns < 1000000000 ? Unit{1e6, "ms"}
                                      : Unit{1e9, "s"};
  char text[32];
  static_cast<void>(
      std::snprintf(text, sizeof text, "%.3g %s", static_cast<double>(ns) / unit.scale, unit.name));
  return text;
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
  // Columns count characters; µ is two bytes of UTF-8.
  const std::size_t shown = text.size() - (text.find("µ") != std::string::npos ? 1 : 0);
  const std::string pad(shown < width ? width - shown : 0, ' ');
  return right ? pad + text : text + pad;
}

}  // namespace

void SummariseTrace(const std::filesystem::path& trace, std::ostream& out, bool asJson) {
  std::map<int32_t, Durations> byFunction;
  std::vector<std::string> notes;
  ForEachCall(
      trace,
      [&](const TraceLine& line) {
        Durations& d = byFunction[line.call.at("function").get<int32_t>()];
        d.name = CallName(line.call);
        d.ns.push_back(line.call.at("duration_ns").get<int64_t>());
      },
      notes);
  json rows = json::array();
  out << (asJson ? "" : "operation                    calls       total      median         max\n");
  for (auto& [fn, d] : byFunction) {
    const int64_t total = d.Total();
    const int64_t median = d.Median();
    const int64_t longest = d.ns.back();
    rows.push_back({{"function", fn},
                    {"operation", d.name},
                    {"calls", d.ns.size()},
                    {"total_ns", total},
                    {"median_ns", median},
                    {"max_ns", longest}});
    if (!asJson) {
      out << Padded(d.name, 24, false) << Padded(std::to_string(d.ns.size()), 9, true)
          << Padded(Duration(total), 12, true) << Padded(Duration(median), 12, true)
          << Padded(Duration(longest), 12, true) << "\n";
    }
  }
  if (asJson) {
    out << json{{"trace", PathToUtf8(trace)}, {"operations", rows}, {"notes", notes}}.dump(2)
        << "\n";
    return;
  }
  for (const std::string& note : notes) {
    out << "note: " << note << "\n";
  }
}

}  // namespace zolhost
