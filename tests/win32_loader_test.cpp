// The plug-in path of a real Windows host: LoadLibraryW, GetProcAddress of the
// plain name, and a call through a pointer of the header's calling convention.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <type_traits>

#include "host_areas.h"

namespace {

// Unloads the DLL however the test ends.
struct Unload {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, Unload>;

TEST(Win32Loader, LoadsTheDllAndCallsThePlainExport) {
  Module dll(LoadLibraryW(L"ZolUtilities.dll"));
  ASSERT_NE(dll, nullptr) << "LoadLibraryW failed: " << GetLastError();
  auto entry = reinterpret_cast<ZolFunctionPointer>(
      reinterpret_cast<void*>(GetProcAddress(dll.get(), "DoZolFunction")));
  ASSERT_NE(entry, nullptr);
  // The decorated names must not be exported as well.
  EXPECT_EQ(GetProcAddress(dll.get(), "_DoZolFunction@16"), nullptr);
  EXPECT_EQ(GetProcAddress(dll.get(), "DoZolFunction@16"), nullptr);

  HostAreas areas;
  areas.SetDouble(0, 1.0);
  areas.SetInteger(1, 1);
  // Several calls in a row: a convention mismatch would unbalance the stack.
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(entry(ZOL_FN_FLOAT_TO_INTEGER_BITS, areas.block(), areas.value(), areas.text()),
              ZOL_STATUS_OK);
  }
  EXPECT_EQ(areas.ResultInteger(), 0x00003F80);
  EXPECT_EQ(entry(0, areas.block(), areas.value(), areas.text()), ZOL_STATUS_UNKNOWN_FUNCTION);
  EXPECT_TRUE(FreeLibrary(dll.release()));
}

}  // namespace
