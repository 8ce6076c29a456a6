#include "browse/shown_text.h"

#include "snippet_json.h"

namespace vek {

std::string ExpandTabs(std::string_view line) {
  std::string expanded;
  for (const char c : line) {
    if (c == '\t') {
      expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
    } else {
      expanded += c;
    }
  }
  return expanded;
}

char32_t ShownCharacter(unsigned char byte, bool utf8) {
  if (byte < 0x20) return utf8 ? 0x2400 + byte : '?';
  if (byte == 0x7F) return utf8 ? 0x2421 : '?';
  if (byte < 0x80) return byte;
  const char32_t character = ArchiveCharacter(byte);
  return utf8 && (character >= 0xA0) ? character : '?';
}

std::string ArchiveTextAsUtf8(std::string_view text) {
  const nlohmann::json utf8 = Text(text);
  return utf8.get<std::string>();
}

std::string Base64(std::string_view bytes) {
  constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string encoded;
  encoded.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
    encoded += kDigits[group >> 18];
    encoded += kDigits[(group >> 12) & 63];
    encoded += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
    encoded += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
  }
  return encoded;
}

}  // namespace vek
