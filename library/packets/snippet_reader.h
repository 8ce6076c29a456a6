#ifndef OLDVEK_PACKETS_SNIPPET_READER_H_
#define OLDVEK_PACKETS_SNIPPET_READER_H_

// Fetching one snippet through its index record: its header, its code lines and whether it
// carries a ZORVIT attachment. Every fetch marks the snippet as read by setting the record's
// Flag to a space.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/crc32.h"
#include "base/status.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/open_packet.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

enum class SnippetKind : uint8_t {
  kPlain = 1,
  kAttachment = 2,  // "CREATED BY ZORVIT", in any case, stands in one of the first 48 code lines
};

// What a fetch learns about a snippet besides its code lines.
struct SnippetInfo {
  SnippetHeader header;
  SnippetKind kind = SnippetKind::kPlain;
  IndexRecord record;  // as it was read, before any read mark
  // The packet file ends before the snippet does (it was cut short): its header, or its last
  // code line, is incomplete, or the next snippet's Start lies past the end of the file. What
  // could be read was given all the same.
  bool cut_short = false;

  // The header's Tag without its trailing blanks.
  std::string_view tag() const;
};

// Whether the packet file, of `packet_length` bytes, ends before the snippet at `place` does
// (SnippetInfo::cut_short).
Result<bool> SnippetCutShort(File& packet, uint64_t packet_length, const SnippetPlace& place);

// Hands the code lines of the snippet at `place` to `each_code_line`, reading its body in
// pieces. A Start of 0 names no snippet: there are no lines and the packet is not read.
Status ReadSnippetBody(File& packet, uint64_t packet_length, const SnippetPlace& place,
                       const LineVisitor& each_code_line);

// The snippet at `place` of an open packet file: its header, whether it is cut short, its
// kind, and its code lines handed to `each_code_line`.
Result<SnippetInfo> ReadSnippet(File& packet, uint64_t packet_length, const SnippetPlace& place,
                                const LineVisitor& each_code_line);

// Fetches the snippet whose index record starts at `record_position` in folder + base +
// ".IDX" and hands its code lines to `each_code_line`. `base` is used whole. A position
// that is not the start of a whole record of the index is refused before anything is
// written or created. The snippet's body ends where the next whole record's snippet starts,
// or at the end of the packet file; a Start of 0 gives a header of 0x00 bytes and no lines.
// Whether a fetch marks the snippet as read. Only readers that must leave the archive
// untouched (a search from the command line) pass kNo.
enum class MarkRead { kYes, kNo };

Result<SnippetInfo> RetrieveSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                    uint64_t record_position, const LineVisitor& each_code_line,
                                    MarkRead mark = MarkRead::kYes);

// Snippets fetched one after the other without marking them, to be marked once what was made
// of them is in place: consecutive records, and a fingerprint of them as they were read.
class UnmarkedRun {
 public:
  // The next record of the run, `number` counted from 1.
  void Add(uint64_t number, const IndexRecord& record);

  uint64_t first() const { return first_; }
  uint64_t count() const { return count_; }
  uint32_t fingerprint() const { return fingerprint_.value(); }

 private:
  uint64_t first_ = 0;
  uint64_t count_ = 0;
  Crc32 fingerprint_;  // of the records' bytes, Flags aside
};

// Marks the snippets of `run` as read when their records still stand as they were read (their
// Flags aside): records that an edit changed meanwhile name other snippets, or none, and are
// all left alone. Nothing is marked on a read-only medium.
Status MarkRunRead(FileSystem& file_system, std::string_view folder, const PacketName& base, const UnmarkedRun& run);

// Author, Subject and Origin at their full widths joined by "~" (95 bytes).
std::string SummaryLine1(const SnippetHeader& header);
// Date, Code and Extra at their full widths joined by "~" (53 bytes).
std::string SummaryLine2(const SnippetHeader& header);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SNIPPET_READER_H_
