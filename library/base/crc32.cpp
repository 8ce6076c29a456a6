#include "base/crc32.h"

#include <array>

namespace oldvek {
namespace {

using Table = std::array<uint32_t, 256>;

// Table k is the CRC of a byte followed by k zero bytes, so that eight bytes are taken in one
// step (slicing by 8): about five times as fast as a byte at a time.
constexpr std::array<Table, 8> MakeTables() {
  std::array<Table, 8> tables{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (size_t k = 1; k < tables.size(); ++k) {
    for (uint32_t n = 0; n < 256; ++n) tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
  }
  return tables;
}

constexpr std::array<Table, 8> kTables = MakeTables();

// A 32 by 32 matrix over GF(2), one column a word: what a run of zero bits does to a CRC.
using Matrix = std::array<uint32_t, 32>;

uint32_t Times(const Matrix& matrix, uint32_t vector) {
  uint32_t sum = 0;
  for (size_t n = 0; vector != 0; vector >>= 1, ++n) sum ^= (vector & 1) ? matrix[n] : 0;
  return sum;
}

Matrix Square(const Matrix& matrix) {
  Matrix square;
  for (size_t n = 0; n < 32; ++n) square[n] = Times(matrix, matrix[n]);
  return square;
}

}  // namespace

void Crc32::Add(std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  size_t left = bytes.size();
  uint32_t c = state_;
  for (; left >= 8; p += 8, left -= 8) {
    const uint32_t low = c ^ (p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
    c = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
        kTables[4][low >> 24] ^ kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
  }
  for (; left > 0; ++p, --left) c = kTables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  state_ = c;
}

uint32_t Crc32Combine(uint32_t first, uint32_t second, uint64_t second_length) {
  // Feeding `second_length` zero bytes to `first` is a product of the operators for 2^k zero
  // bytes, one per bit of the length; a's CRC so shifted, xor b's, is the CRC of a + b.
  static const std::array<Matrix, 64> kZeroBytes = [] {
    std::array<Matrix, 64> powers;
    Matrix zeros;  // one zero bit
    zeros[0] = 0xEDB88320u;
    for (size_t n = 1; n < 32; ++n) zeros[n] = 1u << (n - 1);
    powers[0] = Square(Square(Square(zeros)));
    for (size_t k = 1; k < powers.size(); ++k) powers[k] = Square(powers[k - 1]);
    return powers;
  }();
  for (size_t k = 0; second_length != 0; second_length >>= 1, ++k) {
    if (second_length & 1) first = Times(kZeroBytes[k], first);
  }
  return first ^ second;
}

}  // namespace oldvek
