# `zolhost call` for the numeric operations: the operation by name in any
# letter case or by number, typed inputs, the result in its own type with full
# precision.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

zolhost(call ArcSine --value 1)
expect_ok("ArcSine (3): status 0" "result double 1.5707963267948966")

zolhost(call arccosine --value -1)
expect_ok("ArcCosine (4): status 0" "result double 3.141592653589793")

zolhost(call 5 --value 1e300)
expect_ok("ArcTangent (5)" "result double 1.5707963267948966")

# Out of the domain: a NaN (of either sign), and still status 0.
zolhost(call ArcSine --value 2)
expect_ok("status 0")
expect_out_matches("result double -?nan\n")

# 0xC0000000 is taken as its 32-bit pattern.
zolhost(call IntegerBitsToFloat --bits 0xC0000000)
expect_ok("result double -2")

# A bare --swap sets the flag to 1; --swap=0 clears it.
zolhost(call INTEGERBITSTOFLOAT --bits 16256 --swap)
expect_ok("result double 1\n")
zolhost(call 17 --bits 16256 --swap=0)
expect_ok("result double 2.2779507836064226e-41")

zolhost(call FloatToIntegerBits --value 0.1)
expect_ok("result integer 1036831949")
zolhost(call 18 --value 0.1 --swap)
expect_ok("result integer -858964532")

# Generic setters reach the same slots as the named inputs.
zolhost(call 18 --double 0=0.1 --int 1=1)
expect_ok("result integer -858964532")

# The numeric operations change nothing in the block.
expect_no_out("changed")

# Help for one operation lists its inputs and the generic setters.
zolhost(call ReadElapsedTime --help)
expect_ok("2 ReadElapsedTime" "--offset" "slot 2, integer: subtracted" "--string0 TEXT")

# --fp-env: the calls run in a named floating-point state a host may leave, and
# get the default state's results; zolhost fails a call that does not hand the
# state back or leaves a trap pending.
zolhost(--fp-env trap-invalid call ArcSine --value 2)
expect_ok("status 0")
expect_out_matches("result double -?nan\n")
zolhost(--fp-env round-toward-zero call FloatToIntegerBits --value 0.1)
expect_ok("result integer 1036831949")
zolhost(--fp-env all call FloatToIntegerBits --value 1e39)
expect_ok("result integer 2139095040")
zolhost(--fp-env ftz-daz call IntegerBitsToFloat --bits 1)
expect_ok("result double 1.401298464324817e-45")
zolhost(--fp-env x87-24bit call ArcSine --value 0.5)
expect_ok("result double 0.5235987755982989")
zolhost(--fp-env help)
expect_ok("delphi: x87 control 0x1332, MXCSR 0x1900" "trap-sse:" "ftz-daz:" "all:")
