# `zolhost run`: one call per line, all lines sharing one parameter block, so
# ReadElapsedTime reads what StartTimer left and a search sees the strings an
# earlier case-blind search lower-cased. Errors name the file and the line.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

file(WRITE ${WORK_DIR}/pair.zolhost [=[
# The timer pair.
StartTimer
ReadElapsedTime --offset 0   # the time since the line above

call FindStringNoCase --text 'Hello World' --pattern "WORLD" --start 0
FindString --pattern world
GetStringField --delimiter ' ' --field 0
]=])
zolhost(run pair.zolhost)
expect_ok("pair.zolhost:2: StartTimer (1): status 0\n  result none\n"
          "pair.zolhost:5: FindStringNoCase (15): status 0\n  result integer 6\n"
          "  changed string 0: \"Hello World\" -> \"hello world\"\n"
          "  changed string 1: \"WORLD\" -> \"world\"\n"
          "pair.zolhost:6: FindString (14): status 0\n  result integer 6\n"
          "pair.zolhost:7: GetStringField (16): status 0\n  result text \"hello\"\n")
# StartTimer fills slots 0 and 1; the elapsed time since is not negative.
expect_out_matches("StartTimer \\(1\\): status 0\n  result none\n  changed slot [01] \\(integer\\)")
expect_out_matches("pair.zolhost:3: ReadElapsedTime \\(2\\): status 0\n  result integer [0-9]+\n")

# The same script from standard input, as JSON: one object per call.
zolhost_stdin(${WORK_DIR}/pair.zolhost --json run -)
expect_ok()
string(REGEX MATCHALL "[^\n]+" objects "${OUT}")
list(LENGTH objects count)
if(NOT count EQUAL 5)
  fail("expected 5 JSON lines, got ${count}")
endif()
list(GET objects 2 search)
expect_json("${search}" "<stdin>" file)
expect_json("${search}" 5 line)
expect_json("${search}" FindStringNoCase operation)
expect_json("${search}" string changes 0 area)
expect_json("${search}" "Hello World" changes 0 before)
expect_json("${search}" "hello world" changes 0 after)
list(GET objects 0 timer)
expect_json("${timer}" slot changes 0 area)
expect_json("${timer}" integer changes 0 kind)

# An error stops the run at its line: the lines before it ran, the ones
# after it did not.
file(WRITE ${WORK_DIR}/broken.zolhost "ArcSine --value 1\nArcSign --value 1\nArcCosine --value 1\n")
zolhost(run broken.zolhost)
expect_refused(2 "broken.zolhost:2: unknown operation 'ArcSign'")
expect_out("broken.zolhost:1: ArcSine (3): status 0")
expect_no_out("ArcCosine")

file(WRITE ${WORK_DIR}/quote.zolhost "\nFindString --text 'unclosed\n")
zolhost(run quote.zolhost)
expect_refused(2 "quote.zolhost:2: unclosed ' quote")
file(WRITE ${WORK_DIR}/wait.zolhost "wait 1\nwait soon\n")
zolhost(run wait.zolhost)
expect_refused(2 "wait.zolhost:2: wait: 'soon' is not an integer")
zolhost(run no-such-script.zolhost)
expect_refused(1 "cannot read the script no-such-script.zolhost")
