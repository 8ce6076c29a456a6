#ifndef OLDVEK_EXTRACT_PAGE_CRC_H_
#define OLDVEK_EXTRACT_PAGE_CRC_H_

// The CRC line a page may carry after its end line, which the command-line tool adds:
//   '>>> CRC-32 page:1A2B3C4D file:5E6F7A8B
// the CRC-32 of the page's bytes and of the whole file. The 8-bit checksum cannot see two
// characters swapped; the CRC can.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace oldvek {

struct PageCrc {
  uint32_t page = 0;
  uint32_t file = 0;
};

std::string CrcLine(PageCrc crc);
std::optional<PageCrc> ParseCrcLine(std::string_view line);

// A CRC as the CRC line writes it: eight upper-case hex digits.
std::string CrcText(uint32_t crc);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_PAGE_CRC_H_
