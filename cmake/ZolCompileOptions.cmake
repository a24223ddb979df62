# Compiler settings shared by every target of the project.

# Warnings: -Wall -Wextra -Wpedantic everywhere, errors when asked (CI asks).
function(zol_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion)
  if(ZOL_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(ZOL_SANITIZE)
  add_compile_options(-fsanitize=${ZOL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${ZOL_SANITIZE})
endif()

# Shared libraries are linked with every symbol resolved, except under clang's
# sanitizers: clang puts their runtimes (and libFuzzer's coverage hooks) in the
# executable, which the library's undefined references then find at load time.
set(ZOL_LINK_NO_UNDEFINED -Wl,--no-undefined)
if(ZOL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(ZOL_LINK_NO_UNDEFINED "")
endif()

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # A DLL inherits the x87 control word of whatever host loads it; SSE2 maths
  # rounds every double operation to binary64 whatever that word says.
  add_compile_options(-msse2 -mfpmath=sse)
  # Depend on Windows system DLLs only: no libgcc, libstdc++ or winpthread DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
