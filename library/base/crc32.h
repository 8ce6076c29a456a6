#ifndef OLDVEK_BASE_CRC32_H_
#define OLDVEK_BASE_CRC32_H_

#include <cstdint>
#include <string_view>

namespace oldvek {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320). Feed pieces in order:
// Crc32 crc; crc.Add(a); crc.Add(b); crc.value() is the CRC of a + b.
class Crc32 {
 public:
  void Add(std::string_view bytes);
  uint32_t value() const { return ~state_; }

 private:
  uint32_t state_ = 0xFFFFFFFFu;
};

// The CRC of a + b from the CRC of a, the CRC of b and the length of b, without b's bytes: a
// file decoded page by page is checked from its pages' CRCs.
uint32_t Crc32Combine(uint32_t first, uint32_t second, uint64_t second_length);

}  // namespace oldvek

#endif  // OLDVEK_BASE_CRC32_H_
