#ifndef OLDVEK_EXTRACT_CODE_FILE_WRITER_H_
#define OLDVEK_EXTRACT_CODE_FILE_WRITER_H_

// A code file gathers every snippet of the chosen packets for the reader program. Numbers are
// little-endian; text is written as it is, without terminators:
//
//   lead text (no length of its own), header number (4 bytes), then for each chosen packet:
//     name length (1 byte), name (BASE.VEK), snippet count (4 bytes), then for each snippet:
//       a 184-byte record, then its code lines, each a length byte followed by the line.
//
// The record: byte 0 zero; Author, Subject, Origin, Date and Code as the header stores them;
// at 140 the header's 12-byte Tag and 20 blanks; at 172 the size of the line block that
// follows (each line's length byte plus its bytes); at 176 the number of stored lines; at 180
// the Kind (1 plain, 2 carries a ZORVIT attachment); three zero bytes.
//
// A length byte never disagrees with what follows it: a code line longer than 255 bytes is
// stored as consecutive lines of at most 255 bytes, counted as such, and a packet whose file
// name is longer than 255 characters is left out.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/packet_name.h"
#include "packets/snippet_reader.h"
#include "platform/file.h"

namespace oldvek {

inline constexpr size_t kCodeRecordSize = 184;
// The most bytes a one-byte length can count: of a stored line, of a packet's file name.
inline constexpr size_t kLongestCountedText = 255;

struct ChosenPacket {
  uint64_t number = 0;             // place in the caller's packet list, from 1
  std::optional<PacketName> base;  // none when the packet list gives that place no name
};

struct CodeFileRequest {
  std::string path;       // the code file itself
  std::string lead_text;  // written first, as it is
  int32_t header_number = 0;
  std::string folder;                   // the packets' folder, with its separator
  uint64_t packet_count = 0;            // packets 1 to packet_count are gone through in order
  std::vector<ChosenPacket> chosen;     // by increasing number; every other packet is passed over
  MarkRead mark_read = MarkRead::kYes;  // whether each snippet written is marked as read
};

// How a client follows the writing. The reader's dialog shows each snippet as it is written
// and is kept responsive; a client that overrides nothing runs at full speed.
class CodeFileProgress {
 public:
  virtual ~CodeFileProgress() = default;
  // A chosen packet's files are open; its block comes next.
  virtual void PacketOpened() {}
  // A snippet and its lines are in the code file; `text` tells the user which one.
  virtual void SnippetWritten(std::string_view /*text*/) {}
  // A packet was not chosen, or was left out.
  virtual void PacketPassedOver() {}
};

struct CodeFileOutcome {
  std::vector<std::string> left_out;  // one line per chosen packet left out: which and why
  // "BASE.VEK snippet N" for each snippet written that the packet file cuts short
  // (SnippetInfo::cut_short): what could be read of it is in the code file.
  std::vector<std::string> cut_short;
};

// Writes the code file from its first byte; an earlier file of that name is cut to nothing
// first. Each packet is read in one pass (ScanPacket), its files opened shared and created
// empty when missing, so a missing packet gives a block with no snippets. Every snippet is
// read as a fetch reads it, and marked as read once the code file is in place. On any failure the code file
// is removed, so that no code file cut short looks complete, the read marks are left as they
// were, and the failure names the file that failed.
Result<CodeFileOutcome> WriteCodeFile(FileSystem& file_system, const CodeFileRequest& request,
                                      CodeFileProgress& progress);

// The failure of a code file: "The code file PATH was not written: " and why.
Status CodeFileNotWritten(std::string_view path, const Status& cause);

// "Working on " CR LF, the packet's file name, CR LF CR LF "Installing" CR LF, and the
// header's Subject without its trailing blanks.
std::string CodeFileProgressText(std::string_view packet_file, const SnippetHeader& header);

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_CODE_FILE_WRITER_H_
