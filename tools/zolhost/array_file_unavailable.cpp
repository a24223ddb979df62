// Arrays files in a build without the array store.
#include "array_file.h"
#include "errors.h"

namespace zolhost {

void LoadArrays(const std::filesystem::path&) {
  throw HostError("this zolhost was built without the array store");
}

void SaveArrays(const std::filesystem::path&) {
  throw HostError("this zolhost was built without the array store");
}

}  // namespace zolhost
