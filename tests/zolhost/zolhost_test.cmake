# Helpers for the zolhost tests. Each test is a CMake script that runs zolhost
# as a user does (as a process, under wine for the Windows build) and checks
# its output and exit code. The test passes ZOLHOST (the program), EMULATOR
# (empty, or the wine wrapper), SOURCE_DIR and WORK_DIR (a scratch folder).
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# A machine that cannot start wine skips the test (ctest matches the note).
if(EMULATOR)
  execute_process(COMMAND ${EMULATOR} --probe RESULT_VARIABLE probe ERROR_VARIABLE note)
  if(probe EQUAL 77)
    message(FATAL_ERROR "${note}")
  endif()
endif()

# zolhost(<words>...): runs zolhost; sets OUT, ERR and EXIT.
function(zolhost)
  zolhost_stdin("" ${ARGN})
  foreach(name OUT ERR EXIT COMMAND_LINE)
    set(${name} "${${name}}" PARENT_SCOPE)
  endforeach()
endfunction()

# zolhost_stdin(<file> <words>...): the same, with standard input from <file>
# (none if empty). ZOLHOST_ENV, if set, lists VAR=VALUE settings for the run.
function(zolhost_stdin input)
  set(COMMAND_LINE "zolhost ${ARGN}" PARENT_SCOPE)
  set(redirect)
  if(input)
    set(redirect INPUT_FILE ${input})
  endif()
  set(environment)
  if(ZOLHOST_ENV)
    set(environment ${CMAKE_COMMAND} -E env ${ZOLHOST_ENV})
  endif()
  execute_process(COMMAND ${environment} ${EMULATOR} ${ZOLHOST} ${ARGN} WORKING_DIRECTORY ${WORK_DIR}
                  ${redirect} OUTPUT_VARIABLE OUT ERROR_VARIABLE ERR RESULT_VARIABLE EXIT)
  foreach(name OUT ERR EXIT)
    set(${name} "${${name}}" PARENT_SCOPE)
  endforeach()
endfunction()

function(fail what)
  message(SEND_ERROR "${what}\n  command: ${COMMAND_LINE}\n  exit: ${EXIT}\n"
                     "  stdout:\n${OUT}\n  stderr:\n${ERR}")
endfunction()

function(expect_exit code)
  if(NOT "${EXIT}" STREQUAL "${code}")
    fail("expected exit code ${code}")
  endif()
endfunction()

# expect_out(<text>...): each text appears in standard output.
function(expect_out)
  foreach(text IN LISTS ARGN)
    string(FIND "${OUT}" "${text}" at)
    if(at EQUAL -1)
      fail("expected in stdout: ${text}")
    endif()
  endforeach()
endfunction()

# expect_out_matches(<regex>): standard output matches the regular expression.
function(expect_out_matches regex)
  if(NOT OUT MATCHES "${regex}")
    fail("expected stdout to match: ${regex}")
  endif()
endfunction()

function(expect_no_out text)
  string(FIND "${OUT}" "${text}" at)
  if(NOT at EQUAL -1)
    fail("not expected in stdout: ${text}")
  endif()
endfunction()

# expect_err(<text>...): each text appears in standard error.
function(expect_err)
  foreach(text IN LISTS ARGN)
    string(FIND "${ERR}" "${text}" at)
    if(at EQUAL -1)
      fail("expected in stderr: ${text}")
    endif()
  endforeach()
endfunction()

# A successful call: exit 0, nothing on stderr, each text in stdout.
function(expect_ok)
  expect_exit(0)
  if(NOT ERR STREQUAL "")
    fail("expected an empty stderr")
  endif()
  expect_out(${ARGN})
endfunction()

# A refused call: exit <code>, nothing on stdout, each text in stderr.
function(expect_refused code)
  expect_exit(${code})
  expect_err(${ARGN})
endfunction()

# expect_json(<json> <expected> <member or index>...): the value at that path.
function(expect_json json expected)
  string(JSON value ERROR_VARIABLE error GET "${json}" ${ARGN})
  if(error)
    fail("JSON path ${ARGN}: ${error}")
  elseif(NOT "${value}" STREQUAL "${expected}")
    fail("JSON path ${ARGN}: expected '${expected}', got '${value}'")
  endif()
endfunction()

# expect_json_length(<json> <expected> <member or index>...): an array's length.
function(expect_json_length json expected)
  string(JSON value ERROR_VARIABLE error LENGTH "${json}" ${ARGN})
  if(error)
    fail("JSON path ${ARGN}: ${error}")
  elseif(NOT "${value}" STREQUAL "${expected}")
    fail("JSON path ${ARGN}: expected length ${expected}, got ${value}")
  endif()
endfunction()
