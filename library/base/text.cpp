#include "base/text.h"

#include <algorithm>
#include <limits>

namespace oldvek {

uint64_t ReadDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<uint64_t>(text[i] - '0');
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  const size_t end = text.find_last_not_of(' ');
  // An all-blank field gives an empty view into the field itself, never a null pointer.
  return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

std::string DecimalText(uint64_t value) { return std::to_string(value); }

std::string HexText(uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

std::string PadRight(std::string_view text, size_t width) {
  std::string field(text.substr(0, std::min(text.size(), width)));
  field.resize(width, ' ');
  return field;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle) {
  if (needle.empty()) return true;
  if (needle.size() > text.size()) return false;
  const char first = AsciiUpper(needle[0]);
  for (size_t at = 0; at + needle.size() <= text.size(); ++at) {
    if (AsciiUpper(text[at]) == first && EqualsIgnoringAsciiCase(text.substr(at, needle.size()), needle)) return true;
  }
  return false;
}

}  // namespace oldvek
