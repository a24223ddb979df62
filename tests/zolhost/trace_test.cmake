# The tracing shim in front of our library: the tour runs through it as it
# runs without it and leaves one trace line per call; the trace replays
# identically against our library and names exactly the ArcTangent call against
# a wrong one; a trace file that cannot be opened, or a host whose
# floating-point state traps, costs the host nothing.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)
file(COPY ${SOURCE_DIR}/examples DESTINATION ${WORK_DIR})

# The tour's output without the counter values, which differ from run to run.
function(tour_output var)
  zolhost(--arrays examples/arrays.json run examples/tour.zolhost)
  expect_ok()
  string(REGEX REPLACE "(changed slot [01] \\(integer\\): [-0-9]+ ->) [-0-9]+" "\\1" shown "${OUT}")
  string(REGEX REPLACE "(ReadElapsedTime \\(2\\): status 0\n  result integer) [0-9]+" "\\1"
         shown "${shown}")
  set(${var} "${shown}" PARENT_SCOPE)
endfunction()

tour_output(direct)

# traced_tour(<trace file>): the tour through the shim shows what it shows
# without it.
function(traced_tour trace)
  set(ZOLHOST_ENV ZOLTRACE_LIBRARY=${LIBRARY} ZOLTRACE_FILE=${trace})
  set(ZOLHOST ${ZOLHOST} --library ${SHIM})
  tour_output(shown)
  if(NOT shown STREQUAL direct)
    fail("through the shim (trace ${trace}) the tour shows something else than without it")
  endif()
endfunction()

traced_tour(${WORK_DIR}/tour.jsonl)
file(STRINGS ${WORK_DIR}/tour.jsonl lines)
list(LENGTH lines count)
if(NOT count EQUAL 22)
  fail("expected one trace line for each of the tour's 22 calls, got ${count}")
endif()

# Against our library: every comparable call is identical.
zolhost(replay tour.jsonl)
expect_ok("replayed 22 calls of tour.jsonl: 17 identical, 0 different, 5 not comparable\n"
          "not comparable (run, not compared): line 18 GetSystemErrorText (13), ")

# Against the wrong library: exactly the ArcTangent call (line 3), with its
# input and the byte that differs (pi/4 ends in 0x18; one ulp more, 0x19).
zolhost(replay tour.jsonl --library ${WRONG_LIBRARY})
expect_exit(1)
expect_out("16 identical, 1 different, 5 not comparable\n"
           "line 3: ArcTangent (5) differs\n  input slot 0 double 1.0 (000000000000f03f)\n"
           "  value bytes 0..0: expected 18, got 19\n")
zolhost(replay tour.jsonl --json --library ${WRONG_LIBRARY})
expect_exit(1)
expect_json("${OUT}" 1 different)
expect_json_length("${OUT}" 1 differences)
expect_json("${OUT}" 3 differences 0 line)
expect_json("${OUT}" "ArcTangent (5)" differences 0 operation)
expect_json("${OUT}" 19 differences 0 differences 0 got)

# Where the tour spends its time: one row per operation, with its calls.
zolhost(trace-summary tour.jsonl --json)
expect_ok()
expect_json_length("${OUT}" 18 operations)
expect_json("${OUT}" "SumArray (9)" operations 8 operation)
expect_json("${OUT}" 2 operations 8 calls)

# A trace file that cannot be opened (a folder; a path in a missing folder):
# every call is forwarded just the same.
traced_tour(${WORK_DIR}/examples)
traced_tour(${WORK_DIR}/missing/tour.jsonl)
if(EXISTS ${WORK_DIR}/missing)
  fail("the shim created a folder for its trace")
endif()

# A host with every floating-point exception unmasked: tracing (the shim's own
# start-up, timing and formatting) traps nothing and changes nothing the host
# sees.
set(ZOLHOST ${ZOLHOST} --fp-env all)
tour_output(direct)
traced_tour(${WORK_DIR}/trapping.jsonl)
