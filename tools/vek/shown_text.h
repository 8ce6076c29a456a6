#ifndef OLDVEK_TOOLS_VEK_SHOWN_TEXT_H_
#define OLDVEK_TOOLS_VEK_SHOWN_TEXT_H_

// Archive text printed for a person: converted from the archive's encoding into the locale's.

#include <cstdint>
#include <string>
#include <string_view>

#include "packets/formats.h"

namespace vek {

// Prints `stored` and a line end.
void PrintShown(std::string_view stored);

// Prints `indent` and a snippet entry (packets/snippet_entry.h) and a line end: its header
// texts converted, the packet file name left as the file system's bytes.
void PrintEntry(std::string_view indent, uint64_t number, const oldvek::SnippetHeader& header, const std::string& base);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_SHOWN_TEXT_H_
