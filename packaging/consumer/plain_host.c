/* A host that uses only zolutilities.h, as in the README: it links the library
 * alone, so the linker has to find the library's own dependency, the store,
 * by itself. Exits non-zero when asin(1) is not pi/2. */
#include <stdio.h>
#include <zolutilities.h>

int main(void) {
  ZolParameterBlock block = {0};
  unsigned char value[ZOL_RESULT_VALUE_SIZE] = {0};
  uint16_t text[ZOL_RESULT_TEXT_UNITS] = {0};
  double result;

  ZolSetDouble(&block, 0, 1.0);
  int32_t status = DoZolFunction(ZOL_FN_ARC_SINE, &block, value, text);
  memcpy(&result, value, sizeof result);
  printf("plain host: status %d, asin(1) = %.17g\n", (int)status, result);
  return status == ZOL_STATUS_OK && result == 1.5707963267948966 ? 0 : 1;
}
