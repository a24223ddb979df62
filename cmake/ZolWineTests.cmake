# Tests of the Windows build run under wine (cmake/wine-run.sh). On a machine
# whose kernel cannot run 32-bit programs wine cannot start at all; the wrapper
# then prints a ZOL-WINE-UNAVAILABLE note, and ctest counts the test as skipped
# instead of failed. Tests that run no Windows code (the DLL table checks) are
# unaffected: they never print the note.

function(zol_mark_wine_tests_now)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests)
    set_tests_properties(${tests} PROPERTIES SKIP_REGULAR_EXPRESSION "ZOL-WINE-UNAVAILABLE")
  endif()
endfunction()

# zol_mark_wine_tests(): every test this folder's CMakeLists.txt adds, wherever
# it adds it (the marking runs once the folder is read).
macro(zol_mark_wine_tests)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    cmake_language(DEFER CALL zol_mark_wine_tests_now)
  endif()
endmacro()
