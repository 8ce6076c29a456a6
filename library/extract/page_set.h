#ifndef OLDVEK_EXTRACT_PAGE_SET_H_
#define OLDVEK_EXTRACT_PAGE_SET_H_

// A file encoded as ZORVIT pages, put back together. Each page starts at its begin line
//   '>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000
// and decodes on its own: its length, checksum and CRC line (page_crc.h) count its bytes only.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "extract/attachment_extractor.h"
#include "extract/page_crc.h"
#include "platform/file.h"

namespace oldvek {

struct PageMark {
  uint64_t page = 0;
  uint64_t page_count = 0;
  std::string name;  // the file the pages rebuild, as the begin line gives it
};

// The mark of a begin line; nothing for any other line.
std::optional<PageMark> ParseBeginLine(std::string_view line);

struct PageText {
  PageMark mark;
  std::string origin;  // where the page was found, for messages ("PAGE2.BAS")
  std::vector<std::string> lines;
};

// Appends the pages found in `lines`, each from its begin line up to the next one; lines
// before the first begin line belong to no page.
void SplitPages(std::span<const std::string> lines, std::string_view origin, std::vector<PageText>& pages);

// Pages 1 to N of one file, in order. A missing or repeated page, or pages of different
// files or counts, is refused with a message naming the page.
Result<std::vector<const PageText*>> OrderPages(std::span<const PageText> pages);

struct PageSetOutcome {
  uint64_t byte_count = 0;
  bool crc_checked = false;  // every page carried a CRC line, and all agreed
};

// Decodes ordered pages into `out`, page after page, checking each page as
// AttachmentCheck::Fault does, and the whole file against the CRC lines. A failure names the page and gives the stated
// and the decoded figures; what was written so far stays in `out` for the caller to remove or keep. `page_done` is told
// after each page.
Result<PageSetOutcome> DecodePageSet(std::span<const PageText* const> pages, File& out,
                                     const std::function<void()>& page_done = {});

// The bytes of one page and how they compare with what the page states, decoded in memory.
struct DecodedPage {
  std::string bytes;
  AttachmentCheck check;
};
DecodedPage DecodePage(const PageText& page);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_PAGE_SET_H_
