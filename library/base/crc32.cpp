#include "base/crc32.h"

#include <array>

namespace oldvek {
namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

void Crc32::Add(std::string_view bytes) {
  for (const char byte : bytes) state_ = kTable[(state_ ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (state_ >> 8);
}

}  // namespace oldvek
