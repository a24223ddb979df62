# --json: one JSON object per call (and per script line), parsed back here.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

zolhost(--json call ArcSine --value 1)
expect_ok()
expect_json("${OUT}" ArcSine operation)
expect_json("${OUT}" 3 number)
expect_json("${OUT}" 0 status)
expect_json("${OUT}" double result type)
expect_json("${OUT}" 1.5707963267948966 result value)
expect_json("${OUT}" 3ff921fb54442d18 result bits)
expect_json_length("${OUT}" 0 changes)

# --json may also follow the operation. A NaN, which JSON has no number for,
# comes back as a string, with its bits.
zolhost(call ArcCosine --value 2 --json)
expect_ok()
string(JSON value GET "${OUT}" result value)
string(JSON type TYPE "${OUT}" result value)
if(NOT type STREQUAL "STRING" OR NOT value MATCHES "^-?nan$")
  fail("a NaN result should be the JSON string nan or -nan, not ${type} ${value}")
endif()

zolhost(--json call FloatToIntegerBits --value 1 --swap)
expect_ok()
expect_json("${OUT}" integer result type)
expect_json("${OUT}" 16256 result value)

# The list: eighteen operations with their inputs.
zolhost(--json list)
expect_ok()
expect_json_length("${OUT}" 18 operations)
expect_json("${OUT}" StartTimer operations 0 name)
expect_json("${OUT}" --order operations 10 inputs 4 option)
expect_json("${OUT}" 4 operations 10 inputs 4 slot)
expect_json("${OUT}" FloatToIntegerBits operations 17 name)
