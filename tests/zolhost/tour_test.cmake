# The tour in examples/, run from a copy of that folder as ./run.sh tour runs
# it: all eighteen operations, each with status 0, and the results it shows.
include(${CMAKE_CURRENT_LIST_DIR}/zolhost_test.cmake)

file(COPY ${SOURCE_DIR}/examples DESTINATION ${WORK_DIR})
zolhost(--arrays examples/arrays.json run examples/tour.zolhost)
expect_ok()

foreach(operation StartTimer ReadElapsedTime ArcSine ArcCosine ArcTangent PlaySoundFile StopSound
        GetArraySize SumArray AverageArray WriteIntegerBytes ReadIntegerBytes GetSystemErrorText
        FindString FindStringNoCase GetStringField IntegerBitsToFloat FloatToIntegerBits)
  expect_out_matches("tour.zolhost:[0-9]+: ${operation} \\([0-9]+\\): status 0\n")
endforeach()
expect_out("ArcSine (3): status 0\n  result double 1.5707963267948966\n"
           "FloatToIntegerBits (18): status 0\n  result integer 16256\n"
           "IntegerBitsToFloat (17): status 0\n  result double -2\n"
           "SumArray (9): status 0\n  result double 10\n"
           "AverageArray (10): status 0\n  result double 1.5\n"
           "SumArray (9): status 0\n  result double 0.75\n"
           "ReadIntegerBytes (12): status 0\n  result integer 305419896\n"
           "FindStringNoCase (15): status 0\n  result integer 7\n"
           "FindString (14): status 0\n  result integer 7\n"
           "GetStringField (16): status 0\n  result text \"green\"\n")
expect_out_matches("ReadElapsedTime \\(2\\): status 0\n  result integer [0-9]+\n")
