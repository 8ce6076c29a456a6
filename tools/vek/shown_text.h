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

// A snippet entry (packets/snippet_entry.h) as shown: its header texts converted, the packet
// file name left as the file system's bytes.
std::string ShownEntry(uint64_t number, const oldvek::SnippetHeader& header, const std::string& base);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_SHOWN_TEXT_H_
