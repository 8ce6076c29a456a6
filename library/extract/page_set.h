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
#include "platform/buffered_writer.h"
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

// Hands lines of one source to `visit`, in order, until it returns false or the source ends.
using PageLineVisitor = std::function<bool(std::string_view line)>;

// Decodes a page set as its lines arrive, source after source (page files, snippets), straight
// into `out`, checking each page as AttachmentCheck::Fault does and the whole file against the
// CRC lines. A page met in its turn is decoded as it arrives; one met before its turn is only
// noted, and read again from its source when its turn comes (Finish). Memory stays flat
// whatever the size of the set: the current line, a write buffer and the marks of the pages.
// `out` holds the pages that passed, in order, and never a page that failed its check.
class PageSetDecoder {
 public:
  // Hands the lines of source `source` (counted from 0 in the order started) to `visit`, from
  // the line that starts at `at` (a position TakeLine was given for that source).
  using Reread = std::function<Status(size_t source, uint64_t at, const PageLineVisitor& visit)>;

  explicit PageSetDecoder(File& out, std::function<void()> page_done = {});
  PageSetDecoder(const PageSetDecoder&) = delete;
  PageSetDecoder& operator=(const PageSetDecoder&) = delete;

  // The next source, named `origin` in messages; lines before its first begin line belong to
  // no page, and its last page ends with it.
  Status StartSource(std::string origin);
  // The current source's next line, which starts at position `at` in it. Fails only when
  // `out` cannot be written.
  Status TakeLine(std::string_view line, uint64_t at);
  // The pages met so far, in the order met; their lines are not kept.
  std::span<const PageText> pages() const { return pages_; }

  // After the last source: pages 1 to N of one file must have been met (OrderPages), else
  // that is the failure and nothing more is decoded.
  Status CheckOrder();
  // Then decodes the pages met out of turn, reading them again through `reread` (a page found
  // changed there is refused), and checks the whole file. A failure names the page and gives
  // the stated and the decoded figures; `out` then holds the pages before it.
  Result<PageSetOutcome> Finish(const Reread& reread);
  uint64_t pages_written() const { return next_ - 1; }

 private:
  struct Spot {
    size_t source;
    uint64_t at;
  };
  Status ClosePage();
  // Counts a decoded page in, or cuts it off `out` when it fails its check.
  Status EndPage(const PageText& page, const AttachmentCheck& check);

  File& out_;
  BufferedWriter writer_;
  std::function<void()> page_done_;
  std::vector<PageText> pages_;
  std::vector<Spot> spots_;  // where each page's begin line stands
  size_t source_ = 0;        // sources started
  std::string origin_;
  std::optional<AttachmentExtractor> current_;  // the page being decoded, when in turn
  uint64_t next_ = 1;                           // the page whose turn it is
  uint64_t written_ = 0;                        // bytes of the pages counted in
  Status failure_;                              // the first page that failed its check
  uint32_t file_crc_ = 0;                       // of the pages counted in
  std::optional<uint32_t> stated_file_crc_;
  bool every_page_crc_ = true;
  std::vector<const PageText*> ordered_;
};

// The bytes of one page and how they compare with what the page states, decoded in memory.
struct DecodedPage {
  std::string bytes;
  AttachmentCheck check;
};
DecodedPage DecodePage(const PageText& page);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_PAGE_SET_H_
