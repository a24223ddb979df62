// The lock of one stripe of the stand-in store's table (Windows): a slim
// reader-writer lock. The toolchain's std::shared_mutex goes through
// winpthreads, whose every lock and unlock also takes one process-wide spin
// lock, so threads reading different arrays would still contend.
#pragma once

#include <windows.h>

namespace qordata {

class StripeLock {
 public:
  StripeLock() = default;
  StripeLock(const StripeLock&) = delete;
  StripeLock& operator=(const StripeLock&) = delete;

  void lock() { AcquireSRWLockExclusive(&lock_); }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }
  void lock_shared() { AcquireSRWLockShared(&lock_); }
  void unlock_shared() { ReleaseSRWLockShared(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace qordata
