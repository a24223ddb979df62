# The array operations against the stand-in store: arrays loaded from a file
# with --arrays, changed by the calls of a script, written back with
# --save-arrays and read again.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

file(WRITE ${WORK_DIR}/arrays.json [=[
{"arrays": [
  {"number": 1, "type": 3, "elements": [1, 2, 3, 4]},
  {"number": 2, "type": 19, "elements": [0.5, 0.25]},
  {"number": 3, "type": 3, "elements": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]},
  {"number": 7, "type": 0, "elements": [-7]}
]}
]=])

zolhost(--arrays arrays.json call GetArraySize --array 1)
expect_ok("GetArraySize (8): status 0\n  result integer 4\n")
zolhost(--arrays arrays.json call SumArray --array 1)
expect_ok("result double 10\n")
zolhost(--arrays arrays.json call AverageArray --array 1 --count 2)
expect_ok("result double 1.5\n")
zolhost(--arrays arrays.json call SumArray --array 2)
expect_ok("result double 0.75\n")
zolhost(--arrays arrays.json call 10 --array 7)
expect_ok("result double -7\n")

# Write 0x12345678 most significant byte first, read it back both ways, save.
file(WRITE ${WORK_DIR}/pack.zolhost [=[
WriteIntegerBytes --value 0x12345678 --array 3 --start 10 --count 4 --order msb
ReadIntegerBytes --array 3 --start 10 --count 4 --order msb
ReadIntegerBytes --array 3 --start 10 --count 4 --order lsb
]=])
zolhost(--arrays arrays.json --save-arrays saved.json run pack.zolhost)
expect_ok("pack.zolhost:1: WriteIntegerBytes (11): status 0\n  result none\n"
          "pack.zolhost:2: ReadIntegerBytes (12): status 0\n  result integer 305419896\n"
          "pack.zolhost:3: ReadIntegerBytes (12): status 0\n  result integer 2018915346\n")

# The saved file holds every array, in number order, with the new bytes.
file(READ ${WORK_DIR}/saved.json saved)
expect_json_length("${saved}" 4 arrays)
expect_json("${saved}" 1 arrays 0 number)
expect_json("${saved}" 19 arrays 1 type)
expect_json("${saved}" 0.5 arrays 1 elements 0)
expect_json("${saved}" 0.25 arrays 1 elements 1)
expect_json_length("${saved}" 16 arrays 2 elements)
expect_json("${saved}" 18 arrays 2 elements 10)
expect_json("${saved}" 52 arrays 2 elements 11)
expect_json("${saved}" 86 arrays 2 elements 12)
expect_json("${saved}" 120 arrays 2 elements 13)
expect_json("${saved}" 0 arrays 2 elements 14)
expect_json("${saved}" -7 arrays 3 elements 0)

# And it loads again: the bytes written before are there to read.
zolhost(--arrays saved.json call ReadIntegerBytes --array 3 --start 10 --count 4 --order msb)
expect_ok("result integer 305419896\n")

# Malformed arrays files are refused with the place of the fault.
file(WRITE ${WORK_DIR}/fraction.json
     [=[{"arrays": [{"number": 1, "type": 3, "elements": [1, 2.5]}]}]=])
zolhost(--arrays fraction.json call GetArraySize --array 1)
expect_refused(2 "fraction.json: arrays[0].elements[1]: must be an integer")
file(WRITE ${WORK_DIR}/twice.json [=[{"arrays": [
  {"number": 4, "type": 3, "elements": []}, {"number": 4, "type": 19, "elements": []}]}]=])
zolhost(--arrays twice.json call GetArraySize --array 4)
expect_refused(2 "twice.json: arrays[1]: array 4 appears twice")
file(WRITE ${WORK_DIR}/range.json [=[{"arrays": [{"number": 65536, "type": 3, "elements": []}]}]=])
zolhost(--arrays range.json call GetArraySize --array 1)
expect_refused(2 "\"number\" must be 0 to 65535")
file(WRITE ${WORK_DIR}/broken.json "{\"arrays\": [")
zolhost(--arrays broken.json call GetArraySize --array 1)
expect_refused(2 "broken.json: not valid JSON")
zolhost(--arrays missing.json call GetArraySize --array 1)
expect_refused(1 "cannot read the arrays file missing.json")
