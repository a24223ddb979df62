// Arrays files: the host's numbered arrays, loaded into the array store before
// the calls (--arrays) and written back after them (--save-arrays).
//
//   {"arrays": [{"number": 1, "type": 19, "elements": [0.5, 0.25]},
//               {"number": 2, "type": 3, "elements": [18, 52, 86, 120]}]}
//
// number: 0 to 65535, each at most once. type: the data-type code, 0 to 255;
// 19 holds doubles, every other code signed 32-bit integers. elements: at
// most 65535 numbers (integers from -2147483648 to 2147483647 unless type 19).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zolhost {

// Creates every array of the file in the store (replacing arrays with the same
// number). Throws UsageError for a malformed file, HostError if unreadable.
void LoadArrays(const std::filesystem::path& file);

// Creates array `number` with this type and these elements (a double holds
// every 32-bit integer exactly), replacing any array with that number. Throws
// HostError if the store refuses.
void StoreArray(uint16_t number, uint8_t type, const std::vector<double>& elements);

// Writes every array the store holds, in number order, in the same shape.
void SaveArrays(const std::filesystem::path& file);

}  // namespace zolhost
