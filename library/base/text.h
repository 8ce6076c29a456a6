#ifndef OLDVEK_BASE_TEXT_H_
#define OLDVEK_BASE_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace oldvek {

// Decimal conversion of numbers stored as text: leading blanks, tabs and line feeds are
// skipped, conversion stops at the first byte that is not a digit, and a blank or empty
// field reads as 0. Values too large for 64 bits saturate.
uint64_t ReadDecimal(std::string_view text);

// Removes trailing blanks (0x20) only; no other byte is touched.
std::string_view TrimTrailingBlanks(std::string_view text);

// Unsigned decimal digits without sign, blank or leading zeros.
std::string DecimalText(uint64_t value);

// Upper-case hexadecimal without leading zeros ("0", "F", "10").
std::string HexText(uint64_t value);

// Text left-aligned in a field of `width` bytes: cut when longer, padded with blanks when shorter.
std::string PadRight(std::string_view text, size_t width);

// Maps a-z to A-Z and leaves every other byte alone (no locale).
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// True when the two texts are equal without regard to a-z/A-Z case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// True when `needle` stands somewhere in `text`, without regard to a-z/A-Z case.
bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle);

}  // namespace oldvek

#endif  // OLDVEK_BASE_TEXT_H_
