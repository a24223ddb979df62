// Trace line pieces, read and written byte for byte with memcpy.
#include "trace_record.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace zolcalls {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  throw std::invalid_argument("not a hex digit: " + std::string(1, c));
}

uint64_t BitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

json NumericInput(const Field& field, const unsigned char* block) {
  const unsigned char* slot = block + ZOL_NUMERIC_SLOT_OFFSET(field.slot);
  json value;
  if (field.kind == SlotKind::Double) {
    double d;
    std::memcpy(&d, slot, sizeof d);
    value = DoubleJson(d);
  } else if (field.kind == SlotKind::ArrayNumber) {
    uint16_t number;
    std::memcpy(&number, slot, sizeof number);
    value = number;
  } else {
    int32_t integer;
    std::memcpy(&integer, slot, sizeof integer);
    value = integer;
  }
  return {{"slot", field.slot},
          {"kind", KindName(field.kind)},
          {"value", value},
          {"bytes", Hex(slot, ZOL_SLOT_SIZE)}};
}

json StringInput(int k, const unsigned char* block) {
  json units = json::array();
  const unsigned char* at = block + ZOL_STRING_SLOT_OFFSET_OF(k);
  for (std::size_t i = 0; i < ZOL_TEXT_UNITS; ++i) {
    uint16_t unit;
    std::memcpy(&unit, at + 2 * i, sizeof unit);
    if (unit == 0)
      break;
    units.push_back(unit);
  }
  return {{"string", k}, {"units", units}};
}

// The runs of `range` that are not zero, split wherever 8 or more zero bytes
// lie between them, so that a mostly empty string slot stays short.
void AddBefore(json& out, std::string_view area, const unsigned char* bytes, ByteRange range) {
  constexpr std::size_t kZeroGap = 8;
  std::size_t at = range.begin;
  while (at < range.end) {
    if (bytes[at] == 0) {
      ++at;
      continue;
    }
    std::size_t end = at;
    std::size_t zeros = 0;
    for (std::size_t i = at; i < range.end && zeros < kZeroGap; ++i) {
      zeros = bytes[i] == 0 ? zeros + 1 : 0;
      if (bytes[i] != 0)
        end = i + 1;
    }
    out.push_back({{"area", area}, {"offset", at}, {"bytes", Hex(bytes + at, end - at)}});
    at = end;
  }
}

}  // namespace

AreaImage AreaImage::Of(const void* block, const void* value, const void* text) {
  AreaImage image;
  std::memcpy(image.block.data(), block, image.block.size());
  std::memcpy(image.value.data(), value, image.value.size());
  std::memcpy(image.text.data(), text, image.text.size());
  return image;
}

unsigned char* AreaImage::Bytes(CallerArea area) {
  return const_cast<unsigned char*>(std::as_const(*this).Bytes(area));
}

const unsigned char* AreaImage::Bytes(CallerArea area) const {
  switch (area) {
    case CallerArea::Block:
      return block.data();
    case CallerArea::Value:
      return value.data();
    case CallerArea::Text:
      return text.data();
  }
  return nullptr;
}

const AreaName& AreaNamed(std::string_view name) {
  for (const AreaName& area : kAreaNames) {
    if (area.name == name)
      return area;
  }
  throw std::invalid_argument("unknown area: " + std::string(name));
}

std::string Hex(const unsigned char* bytes, std::size_t size) {
  std::string out;
  out.reserve(2 * size);
  for (std::size_t i = 0; i < size; ++i) {
    out.push_back(kHexDigits[bytes[i] >> 4]);
    out.push_back(kHexDigits[bytes[i] & 0xF]);
  }
  return out;
}

std::vector<unsigned char> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0)
    throw std::invalid_argument("odd number of hex digits");
  std::vector<unsigned char> out(hex.size() / 2);
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<unsigned char>(HexValue(hex[2 * i]) * 16 + HexValue(hex[2 * i + 1]));
  }
  return out;
}

std::string DoubleBitsHex(double value) {
  std::string bits(16, '0');
  uint64_t rest = BitsOf(value);
  for (int i = 15; i >= 0; --i, rest >>= 4) {
    bits[static_cast<std::size_t>(i)] = kHexDigits[rest & 0xF];
  }
  return bits;
}

json DoubleJson(double value) {
  return std::isfinite(value) ? json(value) : json(DoubleBitsHex(value));
}

double DoubleFromJson(const json& value) {
  if (value.is_number())
    return value.get<double>();
  const std::vector<unsigned char> bytes = FromHex(value.get<std::string>());
  if (bytes.size() != sizeof(double))
    throw std::invalid_argument("a double's bits are 16 hex digits");
  uint64_t bits = 0;
  for (unsigned char byte : bytes) {
    bits = bits << 8 | byte;
  }
  double out;
  std::memcpy(&out, &bits, sizeof out);
  return out;
}

json InputsJson(const Operation& op, const unsigned char* block) {
  json inputs = json::array();
  for (const Field& field : op.inputs) {
    inputs.push_back(field.kind == SlotKind::Text ? StringInput(field.slot, block)
                                                  : NumericInput(field, block));
  }
  return inputs;
}

json BeforeJson(int32_t fn, const AreaImage& image) {
  json out = json::array();
  for (const AreaName& area : kAreaNames) {
    const Changeable may = ChangeableBytes(fn, area.area);
    for (const ByteRange& range : {may.first, may.second}) {
      AddBefore(out, area.name, image.Bytes(area.area), range);
    }
  }
  return out;
}

json ChangesJson(const AreaImage& before, const AreaImage& after) {
  json out = json::array();
  for (const AreaName& area : kAreaNames) {
    const unsigned char* a = before.Bytes(area.area);
    const unsigned char* b = after.Bytes(area.area);
    if (std::memcmp(a, b, area.size) == 0)
      continue;
    for (std::size_t at = 0; at < area.size;) {
      if (a[at] == b[at]) {
        ++at;
        continue;
      }
      std::size_t end = at;
      while (end < area.size && a[end] != b[end]) {
        ++end;
      }
      out.push_back({{"area", area.name},
                     {"offset", at},
                     {"before", Hex(a + at, end - at)},
                     {"after", Hex(b + at, end - at)}});
      at = end;
    }
  }
  return out;
}

void PutBytes(AreaImage& image, std::string_view area, std::size_t offset, std::string_view hex) {
  const AreaName& target = AreaNamed(area);
  const std::vector<unsigned char> bytes = FromHex(hex);
  if (offset > target.size || bytes.size() > target.size - offset)
    throw std::invalid_argument("bytes past the end of the " + std::string(area));
  std::memcpy(image.Bytes(target.area) + offset, bytes.data(), bytes.size());
}

}  // namespace zolcalls
