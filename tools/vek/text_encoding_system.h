#ifndef OLDVEK_TOOLS_VEK_TEXT_ENCODING_SYSTEM_H_
#define OLDVEK_TOOLS_VEK_TEXT_ENCODING_SYSTEM_H_

// What the system's own converters tell text_encoding.cpp: glibc's iconv and the C library's
// case mapping on Linux (text_encoding_posix.cpp), code pages on Windows
// (text_encoding_win32.cpp).

#include <array>
#include <string>
#include <string_view>

namespace vek::system_text {

inline constexpr char32_t kUnassigned = 0xFFFFFFFF;

// The character each byte stands for in the encoding `name` (kUnassigned where it stands for
// none); false when the system knows no such encoding or it is not one byte per character.
bool ByteCharacters(const std::string& name, std::array<char32_t, 256>& characters);

// A character's simple lower and upper case; the character itself when it has none.
char32_t LowerCase(char32_t c);
char32_t UpperCase(char32_t c);

// Text in the locale's encoding (what a person types and reads) to UTF-8, false when it is not
// valid text of that encoding; and back, a character the locale cannot show becoming "?".
bool LocaleToUtf8(std::string_view text, std::string& utf8);
std::string Utf8ToLocale(std::string_view utf8);

}  // namespace vek::system_text

#endif  // OLDVEK_TOOLS_VEK_TEXT_ENCODING_SYSTEM_H_
