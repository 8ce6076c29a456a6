#ifndef OLDVEK_TOOLS_VEK_BROWSE_SHOWN_TEXT_H_
#define OLDVEK_TOOLS_VEK_BROWSE_SHOWN_TEXT_H_

// Archive text on the terminal: every byte takes one cell, so nothing a packet holds can
// move the columns or reach the terminal as a command.

#include <cstddef>
#include <string>
#include <string_view>

namespace vek {

inline constexpr size_t kTabStop = 8;

// `line` with each tab replaced by blanks up to the next multiple of kTabStop.
std::string ExpandTabs(std::string_view line);

// The one place archive bytes become terminal characters: a control byte as its Unicode
// control picture, any other as its character in the archive's encoding (text_encoding.h);
// outside a UTF-8 terminal only ASCII, and '?' for the rest.
char32_t ShownCharacter(unsigned char byte, bool utf8);

// `text` as UTF-8, for what leaves the screen (the clipboard): control bytes stay as they are.
std::string ArchiveTextAsUtf8(std::string_view text);

// RFC 4648 base64 with padding, as OSC 52 carries the clipboard's text.
std::string Base64(std::string_view bytes);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_SHOWN_TEXT_H_
