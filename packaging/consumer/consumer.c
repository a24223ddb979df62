/* A host of the installed library: sets up an array in the stand-in store,
 * then calls DoZolFunction with its own areas and checks three results. Exits
 * non-zero on any difference. */
#include <stdio.h>
#include <string.h>

#include <QorDataHost.h>
#include <zolutilities.h>

static int failures = 0;

static void expect(int ok, const char* what) {
  printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  failures += !ok;
}

int main(void) {
  ZolParameterBlock block;
  unsigned char value[ZOL_RESULT_VALUE_SIZE];
  uint16_t text[ZOL_RESULT_TEXT_UNITS];
  double result;
  static const uint16_t hello[] = {'H', 'e', 'l', 'l', 'o', 0};
  static const uint16_t ll[] = {'L', 'L', 0};

  memset(&block, 0, sizeof block);
  memset(value, 0, sizeof value);

  ZolSetDouble(&block, 0, 1.0);
  expect(DoZolFunction(ZOL_FN_ARC_SINE, &block, value, text) == ZOL_STATUS_OK, "ArcSine status");
  memcpy(&result, value, sizeof result);
  expect(result == 1.5707963267948966, "asin(1) is pi/2");

  CreateArray(5, 3, 4);
  for (uint16_t i = 0; i < 4; ++i)
    WriteArrayDataItem(5, i, i + 1);
  ZolSetInteger(&block, 0, 5);
  ZolSetInteger(&block, 1, 0);
  DoZolFunction(ZOL_FN_SUM_ARRAY, &block, value, text);
  memcpy(&result, value, sizeof result);
  expect(result == 10.0, "sum of 1, 2, 3, 4 is 10");

  memcpy(block.text[0], hello, sizeof hello);
  memcpy(block.text[1], ll, sizeof ll);
  ZolSetInteger(&block, 0, 0);
  DoZolFunction(ZOL_FN_FIND_STRING_NO_CASE, &block, value, text);
  expect(ZolGetInteger(value, 0) == 2, "case-blind search finds LL in Hello at 2");

  expect(DoZolFunction(19, &block, value, text) == ZOL_STATUS_UNKNOWN_FUNCTION, "19 is unknown");
  printf("%d passed, %d failed\n", 5 - failures, failures);
  return failures == 0 ? 0 : 1;
}
