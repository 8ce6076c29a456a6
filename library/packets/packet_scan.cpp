#include "packets/packet_scan.h"

#include <algorithm>
#include <memory>

#include "packets/index_reader.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"

namespace oldvek {
namespace {

constexpr OpenOptions kScanOpen{Access::kRead, Share::kShared, Disposition::kOpenExisting};

// The packet file read front to back, a piece at a time. A request before the piece held
// means the Starts went back: from then on only what is asked for is read (at most a piece),
// since a packet in no order would otherwise cost a whole piece per snippet.
class PacketStream {
 public:
  PacketStream(File& file, uint64_t length, size_t piece_size)
      : file_(file), length_(length), piece_size_(std::max<size_t>(piece_size, 1)) {}

  // Bytes from `position` (from 1) towards `end` (excluded, at most the file's length + 1):
  // at least one when position < end.
  Result<std::string_view> Read(uint64_t position, uint64_t end) {
    if (held_at_ == 0 || position < held_at_ || position >= held_at_ + held_.size()) {
      if (held_at_ != 0 && position < held_at_) positioned_ = true;
      const uint64_t until = positioned_ ? end : length_ + 1;
      held_.resize(static_cast<size_t>(std::min<uint64_t>(piece_size_, until - position)));
      OLDVEK_RETURN_IF_ERROR(ReadAtPosition(file_, position, held_));
      held_at_ = position;
    }
    const size_t offset = static_cast<size_t>(position - held_at_);
    return std::string_view(held_).substr(
        offset, static_cast<size_t>(std::min<uint64_t>(end - position, held_.size() - offset)));
  }

  // The header at `position`; bytes at position 0 and beyond the end of the file read as 0x00.
  Status ReadHeader(uint64_t position, SnippetHeader& header) {
    std::span<char> bytes = header.bytes();
    std::fill(bytes.begin(), bytes.end(), '\0');
    if (position == 0) return Status::Ok();
    const uint64_t end = std::min<uint64_t>(position + kHeaderSize, length_ + 1);
    for (uint64_t at = position; at < end;) {
      Result<std::string_view> piece = Read(at, end);
      if (!piece.ok()) return piece.status();
      std::copy(piece->begin(), piece->end(), bytes.begin() + static_cast<std::ptrdiff_t>(at - position));
      at += piece->size();
    }
    return Status::Ok();
  }

  uint64_t length() const { return length_; }

 private:
  File& file_;
  uint64_t length_;
  size_t piece_size_;
  std::string held_;
  uint64_t held_at_ = 0;  // position of held_[0]; 0 before the first read
  bool positioned_ = false;
};

class Scan {
 public:
  Scan(const ScanQuery& query, PacketStream& stream) : query_(query), stream_(stream) {
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
    const uint64_t begin = record.start() + kHeaderSize;
    const uint64_t end = std::min(BodyEnd(next_start, stream_.length()), stream_.length() + 1);
    for (auto& search : searches_) search->Reset();
    size_t left = searches_.size();
    for (uint64_t at = begin; at < end && left > 0;) {
      Result<std::string_view> piece = stream_.Read(at, end);
      if (!piece.ok()) return piece.status();
      left = 0;
      for (auto& search : searches_) {
        if (!search->found()) search->Feed(*piece);
        if (!search->found()) ++left;
      }
      at += piece->size();
    }
    return left == 0;
  }

 private:
  const ScanQuery& query_;
  PacketStream& stream_;
  std::vector<std::unique_ptr<BodySearch>> searches_;
};

}  // namespace

Status ScanPacket(FileSystem& file_system, std::string_view folder, std::string_view base, const ScanQuery& query,
                  const ScanVisitor& visit, size_t piece_size) {
  Result<PacketLock> lock = PacketLock::Take(file_system, folder, base, PacketAccess::kRead);
  if (!lock.ok()) return lock.status();
  Result<std::unique_ptr<File>> index = file_system.Open(PacketPath(folder, base, kIndexExtension), kScanOpen);
  if (!index.ok()) return index.status();
  Result<std::unique_ptr<File>> packet = file_system.Open(PacketPath(folder, base, kPacketExtension), kScanOpen);
  if (!packet.ok()) return packet.status();
  Result<uint64_t> index_length = (*index)->Size();
  if (!index_length.ok()) return index_length.status();
  Result<uint64_t> packet_length = (*packet)->Size();
  if (!packet_length.ok()) return packet_length.status();

  IndexReader records(**index, RecordCount(*index_length));
  PacketStream stream(**packet, *packet_length, piece_size);
  Scan scan(query, stream);
  IndexRecord record;
  IndexRecord next;
  SnippetHeader header;
  const uint64_t count = records.record_count();
  if (count > 0) OLDVEK_RETURN_IF_ERROR(records.Read(1, next));
  for (uint64_t number = 1; number <= count; ++number) {
    record = next;
    if (number < count) OLDVEK_RETURN_IF_ERROR(records.Read(number + 1, next));
    OLDVEK_RETURN_IF_ERROR(stream.ReadHeader(record.start(), header));
    Result<bool> passes = scan.Passes(record, header, number < count ? next.start() : 0);
    if (!passes.ok()) return passes.status();
    if (*passes) OLDVEK_RETURN_IF_ERROR(visit({number, count, record, header}));
  }
  return Status::Ok();
}

}  // namespace oldvek
