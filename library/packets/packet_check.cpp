#include "packets/packet_check.h"

#include "base/text.h"
#include "extract/page_set.h"
#include "packets/body_reader.h"
#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"
#include "platform/read_ahead_file.h"

namespace oldvek {
namespace {

constexpr OpenOptions kReadOnly{Access::kRead, Share::kShared, Disposition::kOpenExisting};

void CheckPages(const std::vector<std::string>& lines, uint64_t record, PacketReport& report) {
  std::vector<PageText> pages;
  SplitPages(lines, "", pages);
  for (const PageText& page : pages) {
    ++report.page_count;
    const std::string fault = DecodePage(page).check.Fault();
    if (!fault.empty()) {
      report.problems.push_back(
          {record, "page " + DecimalText(page.mark.page) + " of " + page.mark.name + ": " + fault});
    }
  }
}

Result<PacketReport> Inspect(FileSystem& file_system, std::string_view folder, const PacketName& base) {
  const PacketFiles files(folder, base);
  PacketReport report;
  if (file_system.Exists(files.mark)) {
    report.interrupted = true;
    report.problems.push_back({0, "a change was interrupted (" + files.mark + " is pending)"});
  }
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, file_system.Open(files.index, kReadOnly));
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> opened_packet, file_system.Open(files.packet, kReadOnly));
  // Headers, last bytes and bodies are read in order: a small packet costs one read.
  ReadAheadFile packet(*opened_packet);
  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index->Size());
  OLDVEK_ASSIGN_OR_RETURN(uint64_t packet_length, packet.Size());

  const uint64_t count = RecordCount(index_length);
  report.snippet_count = count;
  if (index_length % kIndexRecordSize != 0) {
    report.problems.push_back(
        {0, "the index ends in a partial record of " + DecimalText(index_length % kIndexRecordSize) + " bytes"});
  }
  IndexReader reader(*index, count);
  std::vector<uint64_t> starts(count);
  for (uint64_t number = 1; number <= count; ++number) {
    IndexRecord record;
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    starts[number - 1] = record.start();
  }
  if (count == 0 && packet_length > 0) {
    report.problems.push_back({0, DecimalText(packet_length) + " bytes of the packet file belong to no snippet"});
  }
  if (count > 0 && starts[0] > 1) {
    report.problems.push_back({1, "the " + DecimalText(starts[0] - 1) + " bytes before it belong to no snippet"});
  }
  for (uint64_t number = 1; number <= count; ++number) {
    const uint64_t start = starts[number - 1];
    if (start == 0 || start + kHeaderSize > packet_length + 1) {
      report.problems.push_back({number, "its Start " + DecimalText(start) + " is past the end of the packet (" +
                                             DecimalText(packet_length) + " bytes)"});
      continue;
    }
    const uint64_t end = number < count ? starts[number] : packet_length + 1;
    if (end < start + kHeaderSize) {
      report.problems.push_back({number, "Starts do not ascend: the next snippet starts at " + DecimalText(end) +
                                             ", before this one's header ends (it starts at " + DecimalText(start) +
                                             ")"});
      continue;
    }
    SnippetHeader header;
    IndexRecord record;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, start, header.bytes()));
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, record));
    if (record.Field(IndexRecord::kSubject) != header.Field(SnippetHeader::kSubject) ||
        record.Field(IndexRecord::kAuthor) != header.Field(SnippetHeader::kAuthor)) {
      report.problems.push_back({number, "the index's Subject or Author differs from the header's"});
    }
    const uint64_t body = start + kHeaderSize;
    if (end > body) {
      char last = 0;
      OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, end - 1, {&last, 1}));
      if (last != kLineEnd) report.problems.push_back({number, "its last code line has no terminator"});
    }
    std::vector<std::string> lines;
    OLDVEK_RETURN_IF_ERROR(ReadBodyLines(packet, body, end, [&](std::string_view line) {
      lines.emplace_back(line);
      return Status::Ok();
    }));
    CheckPages(lines, number, report);
  }
  return report;
}

}  // namespace

Result<PacketReport> CheckPacket(FileSystem& file_system, std::string_view folder, const PacketName& base) {
  // As a reader, so that no edit runs meanwhile; a pending mark is reported, not mended.
  return ReadPacket(file_system, folder, base, PacketAccess::kInspect,
                    [&](const PacketLock&) { return Inspect(file_system, folder, base); });
}

}  // namespace oldvek
