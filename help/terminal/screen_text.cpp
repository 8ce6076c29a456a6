#include "terminal/screen_text.h"

#include <algorithm>

#include "ascii_text.h"

namespace vekhelp {

std::string ExpandTabs(std::string_view line) {
  std::string expanded;
  expanded.reserve(line.size());
  for (char c : line) {
    if (c == '\t') {
      expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
    } else {
      expanded.push_back(c);
    }
  }
  return expanded;
}

char32_t CellCharacter(unsigned char byte) {
  // Windows-1252 from 0x80 to 0x9F; 0 where the code page defines nothing.
  static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                         0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  if (byte < 0x20) return 0x2400 + byte;
  if (byte == 0x7F) return 0x2421;
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char16_t mapped = kHigh[byte - 0x80];
  return mapped != 0 ? mapped : 0xFFFD;
}

std::optional<unsigned char> ByteForCharacter(char32_t character) {
  for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
    if (CellCharacter(static_cast<unsigned char>(byte)) == character) return static_cast<unsigned char>(byte);
  }
  return std::nullopt;
}

std::string Elide(std::string_view text, size_t width) {
  if (text.size() <= width) return std::string(text);
  if (width == 0) return {};
  std::string cut(text.substr(0, width - 1));
  cut.push_back(kElisionMark);
  return cut;
}

std::vector<bool> MatchedCells(std::string_view line, std::string_view upper_text) {
  std::vector<bool> matched(line.size(), false);
  if (upper_text.empty()) return matched;
  const std::string upper = AsciiUpperCase(line);
  for (size_t at = upper.find(upper_text); at != std::string::npos; at = upper.find(upper_text, at + 1)) {
    std::fill_n(matched.begin() + static_cast<std::ptrdiff_t>(at), upper_text.size(), true);
  }
  return matched;
}

}  // namespace vekhelp
