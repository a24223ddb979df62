# Tests of the Windows build run under wine (cmake/wine-run.sh). On a machine
# whose kernel cannot run 32-bit programs wine cannot start at all; the wrapper
# then prints a ZOL-WINE-UNAVAILABLE note, and ctest counts the test as skipped
# instead of failed. Tests that run no Windows code (the DLL table checks) are
# unaffected: they never print the note.

# zol_mark_wine_tests(<dir>): every test of <dir> and the folders below it.
function(zol_mark_wine_tests dir)
  get_property(tests DIRECTORY ${dir} PROPERTY TESTS)
  if(tests)
    set_tests_properties(${tests} PROPERTIES SKIP_REGULAR_EXPRESSION "ZOL-WINE-UNAVAILABLE")
  endif()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    zol_mark_wine_tests(${subdir})
  endforeach()
endfunction()
