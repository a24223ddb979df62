// Memory placed against an inaccessible page, so that touching one byte outside
// an area crashes the program at once instead of passing unnoticed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

// `size` usable bytes with an inaccessible page right after them (Guard::After)
// or right before them (Guard::Before).
class GuardedArea {
 public:
  enum class Guard { After, Before };

  GuardedArea(std::size_t size, Guard guard)
      : size_(size),
        page_(PageSize()),
        dataPages_((size + page_ - 1) / page_),
        total_((dataPages_ + 1) * page_),
        base_(static_cast<unsigned char*>(Reserve(total_))) {
    if (guard == Guard::After) {
      Protect(base_ + dataPages_ * page_, page_);
      data_ = base_ + dataPages_ * page_ - size;
    } else {
      Protect(base_, page_);
      data_ = base_ + page_;
    }
  }
  ~GuardedArea() { Release(base_, total_); }
  GuardedArea(const GuardedArea&) = delete;
  GuardedArea& operator=(const GuardedArea&) = delete;

  unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  // Without its guard the area proves nothing: stop the test program.
  [[noreturn]] static void Fail(const char* what) {
    (void)std::fprintf(stderr, "guarded memory: %s failed\n", what);
    std::abort();
  }

#if defined(_WIN32)
  static std::size_t PageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
  }
  static void* Reserve(std::size_t n) {
    void* at = VirtualAlloc(nullptr, n, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (at == nullptr) {
      Fail("VirtualAlloc");
    }
    return at;
  }
  static void Protect(void* at, std::size_t n) {
    DWORD old = 0;
    if (VirtualProtect(at, n, PAGE_NOACCESS, &old) == 0) {
      Fail("VirtualProtect");
    }
  }
  static void Release(void* at, std::size_t) {
    VirtualFree(at, 0, MEM_RELEASE);
  }
#else
  static std::size_t PageSize() {
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  }
  static void* Reserve(std::size_t n) {
    void* at = mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED) {
      Fail("mmap");
    }
    return at;
  }
  static void Protect(void* at, std::size_t n) {
    if (mprotect(at, n, PROT_NONE) != 0) {
      Fail("mprotect");
    }
  }
  static void Release(void* at, std::size_t n) {
    munmap(at, n);
  }
#endif

  std::size_t size_;
  std::size_t page_;
  std::size_t dataPages_;
  std::size_t total_;
  unsigned char* base_;
  unsigned char* data_ = nullptr;
};
