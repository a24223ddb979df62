// The two kinds of failure zolhost reports, each with its own exit code.
#pragma once

#include <stdexcept>
#include <string>

namespace zolhost {

// The user asked for something zolhost cannot do as asked: an unknown
// operation or option, a value that does not fit its slot. Exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Something outside the command line failed: the library, a file. Exit code 1.
struct HostError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr int kExitHostError = 1;
inline constexpr int kExitUsageError = 2;

}  // namespace zolhost
