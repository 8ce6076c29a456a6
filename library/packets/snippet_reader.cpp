#include "packets/snippet_reader.h"

#include <memory>

#include "base/text.h"
#include "packets/index_reader.h"
#include "packets/packet_lock.h"

namespace oldvek {
namespace {

// The encoder's banner line puts this among the first code lines of every attachment.
constexpr std::string_view kAttachmentMarker = "CREATED BY ZORVIT";
constexpr int kMarkedLines = 48;

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

Result<bool> SnippetCutShort(File& packet, uint64_t packet_length, const SnippetPlace& place) {
  const uint64_t start = place.record.start();
  if (start == 0) return false;                                // names no snippet
  const uint64_t end = SnippetBody(place, packet_length).end;  // after the snippet's last byte
  if (start + kHeaderSize > packet_length + 1 || end > packet_length + 1) return true;
  // The packet's last snippet ends with the file: cut there, its last line lacks its terminator.
  if (place.next_start != 0 || end <= start + kHeaderSize) return false;
  char last = 0;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, end - 1, {&last, 1}));
  return last != kLineEnd;
}

Status ReadSnippetBody(File& packet, uint64_t packet_length, const SnippetPlace& place,
                       const LineVisitor& each_code_line) {
  const BodyBounds body = SnippetBody(place, packet_length);
  if (body.begin == 0) return Status::Ok();
  return ReadBodyLines(packet, body.begin, body.end, each_code_line);
}

Result<SnippetInfo> ReadSnippet(File& packet, uint64_t packet_length, const SnippetPlace& place,
                                const LineVisitor& each_code_line) {
  // Front to back, header, lines, then the body's last byte, so that a pass reading ahead
  // through the packet file never goes back.
  SnippetInfo info;
  info.record = place.record;
  OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, place.record.start(), info.header.bytes()));
  int line_number = 0;
  OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(packet, packet_length, place, [&](std::string_view line) {
    if (line_number < kMarkedLines) {
      ++line_number;
      if (info.kind == SnippetKind::kPlain && ContainsIgnoringAsciiCase(line, kAttachmentMarker)) {
        info.kind = SnippetKind::kAttachment;
      }
    }
    return each_code_line(line);
  }));
  OLDVEK_ASSIGN_OR_RETURN(bool cut_short, SnippetCutShort(packet, packet_length, place));
  info.cut_short = cut_short;
  return info;
}

namespace {

// A fetch from a packet its caller has settled and holds the lock of.
Result<SnippetInfo> RetrieveSettledSnippet(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                           uint64_t record_position, const LineVisitor& each_code_line, MarkRead mark) {
  // A fetch that sets the read mark opens for writing; the packet file is opened only once the
  // position is found, so that a refused position leaves no file made.
  SnippetPlace place;
  OLDVEK_ASSIGN_OR_RETURN(
      OpenPacket open,
      OpenPacket::OpenAt(file_system, PacketFiles(folder, base),
                         mark == MarkRead::kYes ? PacketOpen::kMark : PacketOpen::kRead, record_position, place));
  // On a read-only medium the snippet is shown all the same, with its Flag as it was.
  if (mark == MarkRead::kYes && open.writable) {
    IndexRecord marked = place.record;
    marked.set_flag(' ');
    OLDVEK_RETURN_IF_ERROR(WriteAtPosition(*open.index, record_position, marked.bytes()));
  }
  OLDVEK_RETURN_IF_ERROR(open.index->Close());
  Result<SnippetInfo> info = ReadSnippet(*open.packet, open.packet_length, place, each_code_line);
  if (!info.ok()) return info;
  OLDVEK_RETURN_IF_ERROR(open.packet->Close());
  return info;
}

}  // namespace

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

void UnmarkedRun::Add(uint64_t number, const IndexRecord& record) {
  if (count_++ == 0) first_ = number;
  const std::span<const char> bytes = record.bytes();
  fingerprint_.Add({bytes.data() + 1, bytes.size() - 1});
}

Status MarkRunRead(FileSystem& file_system, std::string_view folder, const PacketName& base, const UnmarkedRun& run) {
  if (run.count() == 0) return Status::Ok();
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, PacketAccess::kRead));
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open,
                          OpenPacket::OpenIndex(file_system, PacketFiles(folder, base), PacketOpen::kMark));
  File& index = *open.index;
  const uint64_t last = run.first() + run.count() - 1;
  if (!open.writable || last > open.record_count()) return open.Close();
  IndexReader reader(index, last);
  UnmarkedRun now;
  IndexRecord record;
  for (uint64_t number = run.first(); number <= last; ++number) {
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    now.Add(number, record);
  }
  if (now.fingerprint() != run.fingerprint()) return open.Close();
  for (uint64_t number = run.first(); number <= last; ++number) {
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    constexpr char kRead = ' ';
    if (record.flag() != kRead) OLDVEK_RETURN_IF_ERROR(WriteAtPosition(index, RecordPosition(number), {&kRead, 1}));
  }
  return open.Close();
}

std::string SummaryLine1(const SnippetHeader& header) {
  return JoinFullWidth(header, SnippetHeader::kAuthor, SnippetHeader::kSubject, SnippetHeader::kOrigin);
}

std::string SummaryLine2(const SnippetHeader& header) {
  return JoinFullWidth(header, SnippetHeader::kDate, SnippetHeader::kCode, SnippetHeader::kExtra);
}

}  // namespace oldvek
