#include "extract/page_crc.h"

#include <charconv>
#include <cstdio>

namespace oldvek {
namespace {

constexpr std::string_view kCrcPrefix = "'>>> CRC-32 page:";
constexpr std::string_view kFileWord = " file:";
constexpr size_t kDigits = 8;

bool ReadHex(std::string_view hex, uint32_t& value) {
  const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  return error == std::errc() && end == hex.data() + hex.size();
}

}  // namespace

std::string CrcText(uint32_t crc) {
  char text[kDigits + 1];
  std::snprintf(text, sizeof text, "%08X", crc);
  return text;
}

std::string CrcLine(PageCrc crc) {
  return std::string(kCrcPrefix) + CrcText(crc.page) + std::string(kFileWord) + CrcText(crc.file);
}

std::optional<PageCrc> ParseCrcLine(std::string_view line) {
  if (!line.starts_with(kCrcPrefix)) return std::nullopt;
  line.remove_prefix(kCrcPrefix.size());
  if (line.size() != kDigits + kFileWord.size() + kDigits || line.substr(kDigits, kFileWord.size()) != kFileWord) {
    return std::nullopt;
  }
  PageCrc crc;
  if (!ReadHex(line.substr(0, kDigits), crc.page) || !ReadHex(line.substr(kDigits + kFileWord.size()), crc.file)) {
    return std::nullopt;
  }
  return crc;
}

}  // namespace oldvek
