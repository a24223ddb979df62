// The lock of one stripe of the stand-in store's table (POSIX): glibc's
// reader-writer lock takes a reader in one atomic operation when uncontended.
#pragma once

#include <shared_mutex>

namespace qordata {

using StripeLock = std::shared_mutex;

}  // namespace qordata
