#include "browse/shown_text.h"

#include "text_encoding.h"

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
  if (!utf8) return '?';
  // The archive's encoding gives each byte one character, as UTF-8 of at most three bytes.
  const std::string text = ArchiveEncoding().ToUtf8(std::string_view(reinterpret_cast<const char*>(&byte), 1));
  const auto lead = static_cast<unsigned char>(text[0]);
  char32_t character = lead < 0xE0 ? lead & 0x1F : lead & 0x0F;
  for (size_t i = 1; i < text.size(); ++i) character = character << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
  // A byte left unassigned stands for a C1 control character, which must not reach the terminal.
  return character < 0xA0 ? U'\uFFFD' : character;
}

std::string ArchiveTextAsUtf8(std::string_view text) { return ArchiveEncoding().ToUtf8(text); }

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
