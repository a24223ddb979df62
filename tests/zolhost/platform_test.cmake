# `zolhost call` for the timer and sound operations (the sound service runs
# without a device in the tests): StartTimer's changes to the block, a WAV
# started once and looping, and stopped.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

file(COPY ${SOURCE_DIR}/examples/tone.wav DESTINATION ${WORK_DIR})

zolhost(call StartTimer)
expect_ok("StartTimer (1): status 0\n  result none\n")
expect_out_matches("changed slot [01] \\(integer\\): 0 -> -?[0-9]+\n")

zolhost(--json call StartTimer)
expect_ok()
expect_json("${OUT}" none result type)
expect_json("${OUT}" integer changes 0 kind)
expect_json("${OUT}" 0 changes 0 before)

zolhost(call PlaySoundFile --file tone.wav)
expect_ok("PlaySoundFile (6): status 0\n  result none\n")
expect_no_out("changed")

file(WRITE ${WORK_DIR}/loop.zolhost [=[
PlaySoundFile --file tone.wav --loop
wait 300
StopSound
StopSound
PlaySoundFile --file no-such-sound.wav
]=])
zolhost(run loop.zolhost)
expect_ok("loop.zolhost:1: PlaySoundFile (6): status 0\n"
          "loop.zolhost:3: StopSound (7): status 0\n"
          "loop.zolhost:4: StopSound (7): status 0\n"
          "loop.zolhost:5: PlaySoundFile (6): status 0\n")
