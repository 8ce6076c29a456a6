#ifndef VEKHELP_TERMINAL_SCREEN_TEXT_H_
#define VEKHELP_TERMINAL_SCREEN_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vekhelp {

// The help text is 8-bit Windows text. On the terminal every byte takes exactly one cell, so
// that nothing a help file holds can move the columns: a tab becomes blanks up to the next
// tab stop before anything is laid out, and every other byte is drawn as one character.

inline constexpr size_t kTabStop = 8;

// `line` with each tab replaced by blanks up to the next multiple of kTabStop.
std::string ExpandTabs(std::string_view line);

// The character drawn for a byte: ASCII as itself, control bytes as their Unicode control
// pictures (U+2400 and on), bytes 0x80-0xFF as their Windows-1252 characters, and the five
// bytes Windows-1252 leaves undefined as U+FFFD.
char32_t CellCharacter(unsigned char byte);

// The other way, for what is typed: the byte 0x80-0xFF drawn as `character`, if any.
std::optional<unsigned char> ByteForCharacter(char32_t character);

// The byte that Windows-1252 draws as an ellipsis: it marks an entry cut to fit its column.
inline constexpr char kElisionMark = '\x85';

// `text` cut to `width` cells, its last cell then the elision mark.
std::string Elide(std::string_view text, size_t width);

// Which cells of `line` belong to an occurrence of `upper_text`, compared with the line
// upper-cased as the search compares it. Nothing is marked for an empty text.
std::vector<bool> MatchedCells(std::string_view line, std::string_view upper_text);

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_SCREEN_TEXT_H_
