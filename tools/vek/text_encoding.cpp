#include "text_encoding.h"

#include <optional>

#include "failure.h"
#include "text_encoding_system.h"

namespace vek {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character that starts at `at` of valid UTF-8, and how many bytes it takes; none when
// the bytes there are not a whole, shortest UTF-8 character.
std::optional<char32_t> NextCharacter(std::string_view text, size_t at, size_t& length) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0x80) return lead;
  if (lead < 0xC2 || lead > 0xF4 || at + length > text.size()) return std::nullopt;
  char32_t c = lead & (0x3F >> (length - 1));
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (byte(i) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
}

std::string HexByte(unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 15]};
}

std::string CharacterName(char32_t c) {
  std::string name = "\"";
  AppendUtf8(name, c);
  name += "\" (U+";
  for (int shift = c > 0xFFFF ? 16 : 8; shift >= 0; shift -= 8) name += HexByte(static_cast<unsigned char>(c >> shift));
  return name + ")";
}

std::optional<TextEncoding>& Chosen() {
  static std::optional<TextEncoding> chosen;
  return chosen;
}

}  // namespace

TextEncoding TextEncoding::Named(const std::string& name) {
  std::array<char32_t, 256> characters;
  if (!system_text::ByteCharacters(name, characters)) {
    UsageFail("--encoding " + name + ": not an encoding of one byte per character that this system knows");
  }
  for (char32_t c = 0x20; c < 0x7F; ++c) {
    // The packet's own marks ("~", digits, names) are ASCII and must read as ASCII.
    if (characters[c] != c) UsageFail("--encoding " + name + ": it does not keep ASCII as it is");
  }
  TextEncoding encoding;
  encoding.name_ = name;
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (characters[byte] == system_text::kUnassigned) characters[byte] = byte;
    AppendUtf8(encoding.utf8_[byte], characters[byte]);
    encoding.bytes_.emplace(characters[byte], static_cast<unsigned char>(byte));
  }
  for (unsigned byte = 0; byte < 256; ++byte) {
    const char32_t c = characters[byte];
    const char32_t lower = system_text::LowerCase(c);
    const auto found = encoding.bytes_.find(lower);
    // A pair both ways only: "İ" lowers to "i", whose upper case is "I".
    const bool pair = lower != c && found != encoding.bytes_.end() && system_text::UpperCase(lower) == c;
    encoding.lower_case_[byte] = pair ? found->second : static_cast<unsigned char>(byte);
  }
  return encoding;
}

std::string TextEncoding::ToUtf8(std::string_view stored) const {
  std::string utf8;
  utf8.reserve(stored.size());
  for (const char byte : stored) utf8 += utf8_[static_cast<unsigned char>(byte)];
  return utf8;
}

std::string TextEncoding::FromUtf8(std::string_view utf8, std::string_view what) const {
  std::string stored;
  stored.reserve(utf8.size());
  size_t length = 0;
  for (size_t at = 0; at < utf8.size(); at += length) {
    const std::optional<char32_t> c = NextCharacter(utf8, at, length);
    if (!c) UsageFail(std::string(what) + " is not valid text in the locale's encoding");
    const auto found = bytes_.find(*c);
    if (found == bytes_.end()) {
      UsageFail(std::string(what) + ": the archive's encoding " + name_ + " has no " + CharacterName(*c));
    }
    stored += static_cast<char>(found->second);
  }
  return stored;
}

std::string TextEncoding::FromTyped(std::string_view typed, std::string_view what) const {
  std::string utf8;
  if (!system_text::LocaleToUtf8(typed, utf8)) UsageFail(std::string(what) + " is not valid text in the locale's encoding");
  return FromUtf8(utf8, what);
}

std::string TextEncoding::ToShown(std::string_view stored) const { return system_text::Utf8ToLocale(ToUtf8(stored)); }

void UseArchiveEncoding(const std::string& name) { Chosen() = TextEncoding::Named(name); }

const TextEncoding& ArchiveEncoding() {
  if (!Chosen()) Chosen() = TextEncoding::Named("WINDOWS-1252");
  return *Chosen();
}

std::string NameForJson(std::string_view name) {
  std::string json;
  size_t length = 0;
  for (size_t at = 0; at < name.size(); at += length) {
    if (NextCharacter(name, at, length)) {
      json.append(name.substr(at, length));
    } else {
      length = 1;
      json += "\\x" + HexByte(static_cast<unsigned char>(name[at]));
    }
  }
  return json;
}

}  // namespace vek
