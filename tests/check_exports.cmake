cmake_minimum_required(VERSION 3.25)
# Fails unless the shared library's dynamic symbol table defines exactly EXPORTS
# (default: DoZolFunction), in nm's name order.
# Run as: cmake -DLIBRARY=<path> [-DEXPORTS=a;b] -P check_exports.cmake
if(NOT DEFINED EXPORTS)
  set(EXPORTS DoZolFunction)
endif()
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
  list(APPEND names "${name}")
endforeach()
if(NOT names STREQUAL "${EXPORTS}")
  message(FATAL_ERROR "expected exactly [${EXPORTS}] to be exported, got: [${names}]")
endif()
message(STATUS "exports: ${names}")
