#ifndef OLDVEK_TOOLS_VEK_EXTRACTION_H_
#define OLDVEK_TOOLS_VEK_EXTRACTION_H_

#include <cstdint>
#include <string>

#include "packets/packet_name.h"
#include "packets/snippet_reader.h"
#include "zorvit_files.h"

namespace vek {

// One snippet written out as `vek extract` writes it.
struct ExtractRequest {
  std::string folder;       // an existing folder, with its separator
  oldvek::PacketName base;  // an existing packet
  uint64_t number = 0;      // from 1
  bool text = false;        // its code as text, rather than its attachment
  bool page_only = false;   // the snippet's first page alone, as the library extracts it
  // Whether the snippets written out are marked read (once the output is in place).
  oldvek::MarkRead mark = oldvek::MarkRead::kYes;
  DecodeSettings decode;
};

// Writes the snippet (an attachment with every page of its set, from the snippets that
// follow) and returns what came out, empty for standard output. A refusal or a failed check
// is thrown as a Failure.
std::string ExtractToFile(const ExtractRequest& request);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_EXTRACTION_H_
