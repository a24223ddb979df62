# Every refusal is clear and exits non-zero: 2 for what the user typed, 1 for
# what zolhost could not load. Nothing is called after a refusal.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

# Unknown operation: the valid ones are listed.
zolhost(call Frobnicate --value 1)
expect_refused(2 "unknown operation 'Frobnicate'" "3 ArcSine" "18 FloatToIntegerBits")
zolhost(call 19)
expect_refused(2 "unknown operation '19'")

# Unknown option: the operation's inputs and the generic setters are listed.
zolhost(call ArcSine --angle 1)
expect_refused(2 "unknown input '--angle'" "--value" "slot 0, double: argument" "--int K=V")
zolhost(call FindString --text a --pattern)
expect_refused(2 "--pattern")
zolhost(call ArcSine 1)
expect_refused(2 "unexpected word '1'")
zolhost(--bogus list)
expect_refused(2 "unknown option '--bogus'" "list | call OPERATION [inputs...] | run FILE|-")
zolhost(frobnicate)
expect_refused(2 "unknown command 'frobnicate'" "list | call")
zolhost()
expect_refused(2 "missing command")

# Values that do not fit their slots.
zolhost(call IntegerBitsToFloat --bits 0x100000000)
expect_refused(2 "--bits: '0x100000000' does not fit" "-2147483648 to 4294967295")
zolhost(call IntegerBitsToFloat --bits -2147483649)
expect_refused(2 "does not fit")
zolhost(call ArcSine --value one)
expect_refused(2 "--value: 'one' is not a number")
zolhost(call ArcSine --value 1e400)
expect_refused(2 "does not fit a double")
zolhost(call GetArraySize --array 65536)
expect_refused(2 "--array: '65536' does not fit" "0 to 65535")
zolhost(call ReadIntegerBytes --order sideways)
expect_refused(2 "not a byte order")
zolhost(call ArcSine --int 20=1)
expect_refused(2 "--int 20=1" "0 to 19")
zolhost(call ArcSine --double 1)
expect_refused(2 "expected K=V")
zolhost(call ArcSine --value 1 --double 0=2)
expect_refused(2 "slot 0 is set twice")

# Strings: at most 255 16-bit units. A character outside the BMP takes two.
string(REPEAT x 255 longest)
zolhost(call FindString --text ${longest} --pattern x)
expect_ok("FindString (14): status 0")
string(REPEAT x 256 too_long)
zolhost(call FindString --text ${too_long} --pattern x)
expect_refused(2 "--text: the text has 256 units" "at most 255")
string(REPEAT "😀" 128 pairs)
zolhost(call GetStringField --delimiter ${pairs})
expect_refused(2 "--delimiter: the text has 256 units")

# A library that cannot be loaded: the loader's own reason is shown.
zolhost(--library ${WORK_DIR}/no-such-library call ArcSine --value 1)
expect_refused(1 "cannot load the library" "no-such-library" "${LOADER_REASON}")
expect_no_out("ArcSine")

# A library without DoZolFunction (the store's own): the loader's reason again.
zolhost(--library ${NOT_A_PLUGIN} call ArcSine --value 1)
expect_refused(1 "cannot find DoZolFunction in" "${SYMBOL_REASON}")
expect_no_out("ArcSine")

# An unknown floating-point state: the known ones are listed.
zolhost(--fp-env fast call ArcSine --value 1)
expect_refused(2 "unknown floating-point state 'fast'" "trap-x87" "round-toward-zero" "delphi")
