#include "packets/packet_scan.h"

#include <algorithm>
#include <memory>

#include "packets/index_reader.h"
#include "platform/read_ahead_file.h"

namespace oldvek {
namespace {

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

  // Whether the snippet at `place` with `header` passes.
  Result<bool> Passes(const SnippetPlace& place, const SnippetHeader& header) {
    for (const FieldTest& test : query_.fields) {
      if (!test.test->Matches(header.Field(test.field))) return false;
    }
    if (searches_.empty()) return true;
    // A Start of 0 names no snippet: it has no lines.
    const BodyBounds body = SnippetBody(place, packet_length_);
    if (body.begin == 0) return false;
    const uint64_t end = std::min(body.end, packet_length_ + 1);
    for (auto& search : searches_) search->Reset();
    size_t left = searches_.size();
    for (uint64_t at = body.begin; at < end && left > 0;) {
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

// One pass over the packet as `lock` holds it; `visited` tells whether anything was handed out.
Status ScanOnce(FileSystem& file_system, const PacketLock& lock, std::string_view folder, const PacketName& base,
                const ScanQuery& query, const ScanVisitor& visit, const ScanOptions& options, bool& visited) {
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open, OpenPacket::Open(file_system, PacketFiles(folder, base), options.open));
  uint64_t reads = 0;
  uint64_t reads_looked_after = 0;
  CountedReads counted_index(*open.index, reads);
  CountedReads counted_packet(*open.packet, reads);
  const size_t piece_size = std::max<size_t>(options.piece_size, 1);
  ReadAheadFile stream(counted_packet, piece_size);
  const uint64_t packet_length = open.packet_length;

  IndexReader records(counted_index, open.record_count());
  const uint64_t count = records.record_count();
  if (options.opened) {
    OLDVEK_RETURN_IF_ERROR(lock.Steady(file_system));
    visited = true;
    OLDVEK_RETURN_IF_ERROR(options.opened(count));
  }
  Scan scan(query, stream, packet_length, piece_size);
  SnippetPlace place;
  IndexRecord next;
  SnippetHeader header;
  if (count > 0) OLDVEK_RETURN_IF_ERROR(records.Read(1, next));
  for (uint64_t number = 1; number <= count; ++number) {
    place.record = next;
    if (number < count) OLDVEK_RETURN_IF_ERROR(records.Read(number + 1, next));
    place.next_start = number < count ? next.start() : 0;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(stream, place.record.start(), header.bytes()));
    OLDVEK_ASSIGN_OR_RETURN(bool passes, scan.Passes(place, header));
    if (!passes) continue;
    // Everything read so far is of one generation while no editor has begun.
    if (reads != reads_looked_after) OLDVEK_RETURN_IF_ERROR(lock.Steady(file_system));
    reads_looked_after = reads;
    visited = true;
    OLDVEK_RETURN_IF_ERROR(visit({number, count, place.record, header, place, stream, packet_length}));
  }
  return Status::Ok();
}

}  // namespace

Status ScanPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, const ScanQuery& query,
                  const ScanVisitor& visit, const ScanOptions& options) {
  // An editor that begins before the first snippet is handed out costs a second pass, under the
  // lock it made; one that begins later ends the scan (Steady), as nothing handed out can be
  // taken back.
  for (;;) {
    OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, options.access));
    bool visited = false;
    const Status scanned = ScanOnce(file_system, lock, folder, base, query, visit, options, visited);
    // A failure of a pass an editor overlapped may be the edit's own doing: that pass is redone.
    if (visited || lock.Steady(file_system).ok()) return scanned;
  }
}

Status ScanPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, const ScanQuery& query,
                  const ScanVisitor& visit, size_t piece_size) {
  return ScanPacket(file_system, folder, base, query, visit, ScanOptions{.piece_size = piece_size});
}

}  // namespace oldvek
