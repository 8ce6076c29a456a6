#ifndef OLDVEK_BASE_CRC32_H_
#define OLDVEK_BASE_CRC32_H_

#include <cstdint>
#include <string_view>

namespace oldvek {

// CRC-32 (the polynomial of zip and PNG, reflected, 0xEDB88320). Give the value of one call to
// the next to checksum data that arrives in pieces; start with 0.
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

}  // namespace oldvek

#endif  // OLDVEK_BASE_CRC32_H_
