#include "packets/packet_scan.h"

#include <algorithm>
#include <memory>

#include "packets/index_reader.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"
#include "platform/read_ahead_file.h"

namespace oldvek {
namespace {

constexpr OpenOptions kScanOpen{Access::kRead, Share::kShared, Disposition::kOpenExisting};

class Scan {
 public:
  // A piece is never longer than the packet: a small packet costs no large buffer.
  Scan(const ScanQuery& query, ReadAheadFile& packet, uint64_t packet_length, size_t piece_size)
      : query_(query),
        packet_(packet),
        packet_length_(packet_length),
        piece_(static_cast<size_t>(std::clamp<uint64_t>(packet_length, 1, piece_size)), '\0') {
    for (const TextTest* test : query.code) searches_.push_back(test->NewBodySearch());
  }

  // Whether the snippet with `record` and `header` passes; `next_start` is the Start of the
  // next whole record, 0 when there is none.
  Result<bool> Passes(const IndexRecord& record, const SnippetHeader& header, uint64_t next_start) {
    for (const FieldTest& test : query_.fields) {
      if (!test.test->Matches(header.Field(test.field))) return false;
    }
    if (searches_.empty()) return true;
    // A Start of 0 names no snippet: it has no lines.
    if (record.start() == 0) return false;
    const uint64_t end = std::min(BodyEnd(next_start, packet_length_), packet_length_ + 1);
    for (auto& search : searches_) search->Reset();
    size_t left = searches_.size();
    for (uint64_t at = record.start() + kHeaderSize; at < end && left > 0;) {
      const std::span<char> piece(piece_.data(), static_cast<size_t>(std::min<uint64_t>(piece_.size(), end - at)));
      OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet_, at, piece));
      left = 0;
      for (auto& search : searches_) {
        if (!search->found()) search->Feed({piece.data(), piece.size()});
        if (!search->found()) ++left;
      }
      at += piece.size();
    }
    return left == 0;
  }

 private:
  const ScanQuery& query_;
  ReadAheadFile& packet_;
  uint64_t packet_length_;
  std::string piece_;
  std::vector<std::unique_ptr<BodySearch>> searches_;
};

// A file whose reads are counted: what was read before a reader's last look for the lock file
// (PacketLock::Steady) needs no second look.
class CountedReads final : public File {
 public:
  CountedReads(File& file, uint64_t& reads) : file_(file), reads_(reads) {}
  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    ++reads_;
    return file_.ReadAt(offset, buffer);
  }
  Status WriteAt(uint64_t offset, std::span<const char> data) override { return file_.WriteAt(offset, data); }
  Status Append(std::span<const char> data) override { return file_.Append(data); }
  Result<uint64_t> Size() override { return file_.Size(); }
  Status Truncate(uint64_t size) override { return file_.Truncate(size); }
  Status Sync() override { return file_.Sync(); }
  Status Close() override { return file_.Close(); }
  const std::string& path() const override { return file_.path(); }

 private:
  File& file_;
  uint64_t& reads_;
};

// One pass over the packet as `lock` holds it; `visited` tells whether a snippet was handed out.
Status ScanOnce(FileSystem& file_system, const PacketLock& lock, std::string_view folder, const PacketName& base,
                const ScanQuery& query, const ScanVisitor& visit, size_t piece_size, bool& visited) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index,
                          file_system.Open(PacketPath(folder, base, kIndexExtension), kScanOpen));
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> packet,
                          file_system.Open(PacketPath(folder, base, kPacketExtension), kScanOpen));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index->Size());
  uint64_t reads = 0;
  uint64_t reads_looked_after = 0;
  CountedReads counted_index(*index, reads);
  CountedReads counted_packet(*packet, reads);
  piece_size = std::max<size_t>(piece_size, 1);
  ReadAheadFile stream(counted_packet, piece_size);
  OLDVEK_ASSIGN_OR_RETURN(uint64_t packet_length, stream.Size());

  IndexReader records(counted_index, RecordCount(index_length));
  Scan scan(query, stream, packet_length, piece_size);
  IndexRecord record;
  IndexRecord next;
  SnippetHeader header;
  const uint64_t count = records.record_count();
  if (count > 0) OLDVEK_RETURN_IF_ERROR(records.Read(1, next));
  for (uint64_t number = 1; number <= count; ++number) {
    record = next;
    if (number < count) OLDVEK_RETURN_IF_ERROR(records.Read(number + 1, next));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(stream, record.start(), header.bytes()));
    OLDVEK_ASSIGN_OR_RETURN(bool passes, scan.Passes(record, header, number < count ? next.start() : 0));
    if (!passes) continue;
    // Everything read so far is of one generation while no editor has begun.
    if (reads != reads_looked_after) OLDVEK_RETURN_IF_ERROR(lock.Steady(file_system));
    reads_looked_after = reads;
    visited = true;
    OLDVEK_RETURN_IF_ERROR(visit({number, count, record, header}));
  }
  return Status::Ok();
}

}  // namespace

Status ScanPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, const ScanQuery& query,
                  const ScanVisitor& visit, size_t piece_size) {
  // An editor that begins before the first snippet is handed out costs a second pass, under the
  // lock it made; one that begins later ends the scan (Steady), as nothing handed out can be
  // taken back.
  for (;;) {
    OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kRead));
    bool visited = false;
    const Status scanned = ScanOnce(file_system, lock, folder, base, query, visit, piece_size, visited);
    // A failure of a pass an editor overlapped may be the edit's own doing: that pass is redone.
    if (visited || lock.Steady(file_system).ok()) return scanned;
  }
}

}  // namespace oldvek
