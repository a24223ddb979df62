# Cross-build for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686).
# The -posix compilers provide std::thread and std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ZOL_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZOL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZOL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZOL_MINGW_PREFIX}-windres)
set(CMAKE_C_COMPILER_TARGET ${ZOL_MINGW_PREFIX})

set(CMAKE_FIND_ROOT_PATH /usr/${ZOL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and tools run under wine, through a wrapper that keeps a private prefix
# in the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
