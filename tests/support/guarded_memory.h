// Memory placed against an inaccessible page, so that touching one byte outside
// an area crashes the program at once instead of passing unnoticed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
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

// Names the call under way while it lives, so that a crash on a guard page (or
// a floating-point trap) says which call made it ("touched a guard page:
// <what>") before the program dies as it would have without the note. Not
// thread-safe: one test thread at a time.
class CrashNote {
 public:
  CrashNote(const char* filling, int fn, const char* side) {
    static const bool installed = (Install(), true);
    static_cast<void>(installed);
    (void)std::snprintf(text_, kSize, "touched a guard page: %s, function %d, guard %s\n", filling,
                        fn, side);
  }
  // A note in the caller's own words.
  explicit CrashNote(const char* what) {
    static const bool installed = (Install(), true);
    static_cast<void>(installed);
    (void)std::snprintf(text_, kSize, "crashed in: %s\n", what);
  }
  ~CrashNote() { text_[0] = '\0'; }
  CrashNote(const CrashNote&) = delete;
  CrashNote& operator=(const CrashNote&) = delete;

 private:
  static constexpr std::size_t kSize = 160;
  static inline char text_[kSize] = {};

#if defined(_WIN32)
  static LONG WINAPI OnFault(EXCEPTION_POINTERS*) {
    (void)std::fputs(text_, stderr);
    (void)std::fflush(stderr);
    return EXCEPTION_CONTINUE_SEARCH;
  }
  static void Install() {
    SetUnhandledExceptionFilter(OnFault);
  }
#else
  // The handler that was there before (the default, or a sanitizer's) is put
  // back, and the faulting access, run again on return, goes to it.
  static inline struct sigaction previousSegv_ = {};
  static inline struct sigaction previousBus_ = {};
  static inline struct sigaction previousFpe_ = {};
  static struct sigaction* Previous(int signal) {
    if (signal == SIGFPE)
      return &previousFpe_;
    return signal == SIGSEGV ? &previousSegv_ : &previousBus_;
  }
  static void OnFault(int signal) {
    const ssize_t written = write(STDERR_FILENO, text_, std::strlen(text_));
    static_cast<void>(written);  // nothing to be done if it fails
    sigaction(signal, Previous(signal), nullptr);
  }
  static void Install() {
    struct sigaction action {};
    action.sa_handler = OnFault;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, Previous(SIGSEGV));
    sigaction(SIGBUS, &action, Previous(SIGBUS));
    sigaction(SIGFPE, &action, Previous(SIGFPE));
  }
#endif
};
