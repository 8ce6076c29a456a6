#ifndef OLDVEK_PACKETS_PACKET_SCAN_H_
#define OLDVEK_PACKETS_PACKET_SCAN_H_

// A packet read in one pass, the one way a whole packet is gone through (vek's list and
// search, the exports' search and code files): as a reader (PacketLock), each of its two
// files is opened once (OpenPacket); the index is read once, a run of records at a time, and
// the packet file front to back in large pieces. A snippet's header fields are tested from its
// header alone; its body is looked at only when every header test has passed and a code
// test is left, and no further than the point where every code test has found its line.
// Memory stays flat: one piece of the file and one run of the index.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/open_packet.h"
#include "packets/packet_lock.h"
#include "packets/packet_name.h"
#include "packets/text_match.h"
#include "platform/file.h"

namespace oldvek {

inline constexpr size_t kScanPieceSize = 1 << 20;

struct FieldTest {
  FieldSpan field;  // of the snippet's header
  const TextTest* test;
};

// A snippet passes when every field test matches its header field as stored and every
// code test matches one of its code lines (each test a line of its own choosing). The code
// lines are those a fetch yields: the terminated lines of the body, which ends where
// BodyEnd says. An empty query passes every snippet.
struct ScanQuery {
  std::vector<FieldTest> fields;
  std::vector<const TextTest*> code;
};

struct ScannedSnippet {
  uint64_t number;  // from 1, in index order
  uint64_t count;   // the packet's snippets: its whole index records
  const IndexRecord& record;
  const SnippetHeader& header;
  const SnippetPlace& place;  // the record and where the body ends
  File& packet;               // the packet file, read ahead: a visitor reads the body from here
  uint64_t packet_length;
};

// Called with each snippet that passes, in index order; a failure ends the scan as its result.
using ScanVisitor = std::function<Status(const ScannedSnippet& snippet)>;

struct ScanOptions {
  PacketOpen open = PacketOpen::kRead;
  PacketAccess access = PacketAccess::kRead;
  // Called once both files are open, with the packet's snippet count, before any snippet is
  // visited; like a visit, it hands something out, so the pass is not done again after it.
  std::function<Status(uint64_t count)> opened;
  size_t piece_size = kScanPieceSize;
};

// Scans packet `base` of `folder` (the packet is settled first, as by every operation). By
// default only existing files are opened and nothing is written. When the index's Starts go
// back, the rest of the packet is read where each snippet lies, piece by piece, rather than
// streamed.
Status ScanPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, const ScanQuery& query,
                  const ScanVisitor& visit, const ScanOptions& options);
Status ScanPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, const ScanQuery& query,
                  const ScanVisitor& visit, size_t piece_size = kScanPieceSize);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_SCAN_H_
