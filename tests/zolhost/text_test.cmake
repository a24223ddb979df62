# `zolhost call` for the text operations: UTF-8 in and out, \uXXXX for units
# that are not valid UTF-16 (in both directions), positions in 16-bit units,
# and the strings FindStringNoCase lower-cases in the block.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

zolhost(call FindString --text Hello --pattern LL --start 0)
expect_ok("FindString (14): status 0\n  result integer -1\n")
expect_no_out("changed")

zolhost(call findstringnocase --text Hello --pattern LL --start 0)
expect_ok("FindStringNoCase (15): status 0\n  result integer 2\n"
          "  changed string 0: \"Hello\" -> \"hello\"\n"
          "  changed string 1: \"LL\" -> \"ll\"\n")

# The emoji takes two units, so C sits at 5. The lone surrogate given as
# \uD800 stays in the text and comes back escaped; the pattern, already lower
# case, is not reported as changed.
zolhost(call FindStringNoCase --text "😀€B\\uD800C" --pattern c)
expect_ok("result integer 5\n" "changed string 0: \"😀€B\\uD800C\" -> \"😀€b\\uD800c\"\n")
expect_no_out("changed string 1")

zolhost(call GetStringField --text "a,b,,c" --delimiter , --field 3)
expect_ok("GetStringField (16): status 0\n  result text \"c\"\n")
zolhost(call 16 --text "a,b,,c" --delimiter , --field 2)
expect_ok("result text \"\"\n")

# A field that starts with a lone low surrogate, in text and in JSON.
zolhost(call GetStringField --text "x,\\uDC00y" --delimiter , --field 1)
expect_ok("result text \"\\uDC00y\"\n")
zolhost(--json call GetStringField --text "x,\\uDC00y" --delimiter , --field 1)
expect_json("${OUT}" "\\uDC00y" result value)

# A real backslash before "u0041" is written as \u005C, so the output reads
# back as the same units.
zolhost(call GetStringField --text "a\\u005Cu0041,b" --delimiter , --field 0)
expect_ok("result text \"a\\u005Cu0041\"\n")

# The system's message for an error code, without a final line break.
zolhost(call GetSystemErrorText --code 2)
expect_ok("GetSystemErrorText (13): status 0")
expect_out_matches("result text \"[^\"]+\"\n")
expect_no_out("\\u000D\\u000A\"")
