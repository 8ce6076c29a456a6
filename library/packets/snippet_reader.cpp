#include "packets/snippet_reader.h"

#include <memory>

#include "base/text.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"

namespace oldvek {
namespace {

// The encoder's banner line puts this among the first code lines of every attachment.
constexpr std::string_view kAttachmentMarker = "CREATED BY ZORVIT";
constexpr int kMarkedLines = 48;

// A refused position must leave no trace, so a missing index is not created here.
constexpr OpenOptions kExistingIndexOpen{Access::kReadWrite, Share::kShared, Disposition::kOpenExisting};
constexpr OpenOptions kExistingIndexRead{Access::kRead, Share::kShared, Disposition::kOpenExisting};
constexpr OpenOptions kExistingPacketRead{Access::kRead, Share::kShared, Disposition::kOpenExisting};

std::string JoinFullWidth(const SnippetHeader& header, FieldSpan first, FieldSpan second, FieldSpan third) {
  std::string line;
  line.reserve(first.width + second.width + third.width + 2);
  line.append(header.Field(first))
      .append(1, '~')
      .append(header.Field(second))
      .append(1, '~')
      .append(header.Field(third));
  return line;
}

}  // namespace

std::string_view SnippetInfo::tag() const { return TrimTrailingBlanks(header.Field(SnippetHeader::kTag)); }

Result<SnippetPlace> LocateSnippet(File& index, uint64_t record_position) {
  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index.Size());
  const uint64_t records = RecordCount(index_length);
  if (!IsRecordPosition(record_position, records)) {
    return NoRecordAt(record_position, index.path());
  }
  SnippetPlace place;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(index, record_position, place.record.bytes()));
  // Only a whole following record marks where the body ends; 0 means the end of the packet.
  if (IsRecordPosition(record_position + kIndexRecordSize, records)) {
    IndexRecord next;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(index, record_position + kIndexRecordSize, next.bytes()));
    place.end_marker = next.start();
  }
  return place;
}

Result<bool> SnippetCutShort(File& packet, const SnippetPlace& place) {
  const uint64_t start = place.record.start();
  if (start == 0) return false;  // names no snippet
  OLDVEK_ASSIGN_OR_RETURN(uint64_t packet_length, packet.Size());
  const uint64_t end = BodyEnd(place.end_marker, packet_length);  // after the snippet's last byte
  if (start + kHeaderSize > packet_length + 1 || end > packet_length + 1) return true;
  // The packet's last snippet ends with the file: cut there, its last line lacks its terminator.
  if (place.end_marker != 0 || end <= start + kHeaderSize) return false;
  char last = 0;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, end - 1, {&last, 1}));
  return last != kLineEnd;
}

Status ReadSnippetBody(File& packet, const SnippetPlace& place, const LineVisitor& each_code_line) {
  const uint64_t start = place.record.start();
  if (start == 0) return Status::Ok();
  OLDVEK_ASSIGN_OR_RETURN(uint64_t packet_length, packet.Size());
  return ReadBodyLines(packet, start + kHeaderSize, BodyEnd(place.end_marker, packet_length), each_code_line);
}

Result<SnippetInfo> RetrieveSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                    uint64_t record_position, const LineVisitor& each_code_line, MarkRead mark) {
  // Under the packet's lock, and settled: the record and the body read are of one generation.
  // Setting the read mark writes the index, so that takes the lock file as writers do.
  OLDVEK_ASSIGN_OR_RETURN(
      PacketLock lock,
      PacketLock::Take(file_system, folder, base, mark == MarkRead::kYes ? PacketAccess::kMark : PacketAccess::kRead));
  Result<SnippetInfo> info = RetrieveSettledSnippet(file_system, folder, base, record_position, each_code_line, mark);
  if (!info.ok()) return info;
  OLDVEK_RETURN_IF_ERROR(lock.Steady(file_system));
  return info;
}

Result<SnippetInfo> RetrieveSettledSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                           uint64_t record_position, const LineVisitor& each_code_line, MarkRead mark) {
  bool writable = true;
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index,
                          OpenForReading(file_system, PacketPath(folder, base, kIndexExtension),
                                         mark == MarkRead::kYes ? kExistingIndexOpen : kExistingIndexRead, &writable));
  // On a read-only medium the snippet is shown all the same, with its Flag as it was.
  const bool marks = mark == MarkRead::kYes && writable;
  OLDVEK_ASSIGN_OR_RETURN(SnippetPlace place, LocateSnippet(*index, record_position));

  // The packet is opened before the Flag is written, so a packet that cannot be opened leaves
  // the index as it was.
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> packet,
                          OpenForReading(file_system, PacketPath(folder, base, kPacketExtension),
                                         marks ? kSharedPacketOpen : kExistingPacketRead));

  if (marks) {
    IndexRecord marked = place.record;
    marked.set_flag(' ');
    OLDVEK_RETURN_IF_ERROR(WriteAtPosition(*index, record_position, marked.bytes()));
  }
  OLDVEK_RETURN_IF_ERROR(index->Close());

  SnippetInfo info;
  info.record = place.record;
  OLDVEK_ASSIGN_OR_RETURN(bool cut_short, SnippetCutShort(*packet, place));
  info.cut_short = cut_short;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*packet, place.record.start(), info.header.bytes()));
  int line_number = 0;
  OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(*packet, place, [&](std::string_view line) {
    if (line_number < kMarkedLines) {
      ++line_number;
      if (info.kind == SnippetKind::kPlain && ContainsIgnoringAsciiCase(line, kAttachmentMarker)) {
        info.kind = SnippetKind::kAttachment;
      }
    }
    return each_code_line(line);
  }));
  OLDVEK_RETURN_IF_ERROR(packet->Close());
  return info;
}

void UnmarkedRun::Add(uint64_t number, const IndexRecord& record) {
  if (count_++ == 0) first_ = number;
  const std::span<const char> bytes = record.bytes();
  fingerprint_.Add({bytes.data() + 1, bytes.size() - 1});
}

Status MarkRunRead(FileSystem& file_system, std::string_view folder, const PacketName& base, const UnmarkedRun& run) {
  if (run.count() == 0) return Status::Ok();
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kRead));
  bool writable = true;
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> index,
      OpenForReading(file_system, PacketPath(folder, base, kIndexExtension), kExistingIndexOpen, &writable));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index->Size());
  const uint64_t last = run.first() + run.count() - 1;
  if (!writable || last > RecordCount(index_length)) return index->Close();
  IndexReader reader(*index, last);
  UnmarkedRun now;
  IndexRecord record;
  for (uint64_t number = run.first(); number <= last; ++number) {
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    now.Add(number, record);
  }
  if (now.fingerprint() != run.fingerprint()) return index->Close();
  for (uint64_t number = run.first(); number <= last; ++number) {
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    constexpr char kRead = ' ';
    if (record.flag() != kRead) OLDVEK_RETURN_IF_ERROR(WriteAtPosition(*index, RecordPosition(number), {&kRead, 1}));
  }
  return index->Close();
}

std::string SummaryLine1(const SnippetHeader& header) {
  return JoinFullWidth(header, SnippetHeader::kAuthor, SnippetHeader::kSubject, SnippetHeader::kOrigin);
}

std::string SummaryLine2(const SnippetHeader& header) {
  return JoinFullWidth(header, SnippetHeader::kDate, SnippetHeader::kCode, SnippetHeader::kExtra);
}

}  // namespace oldvek
