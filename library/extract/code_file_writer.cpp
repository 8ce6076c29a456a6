#include "extract/code_file_writer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

#include "base/text.h"
#include "packets/packet_files.h"
#include "packets/packet_scan.h"
#include "packets/snippet_reader.h"
#include "platform/buffered_writer.h"
#include "platform/output_file.h"

namespace oldvek {
namespace {

constexpr size_t kRecordAuthor = 1;
constexpr size_t kRecordSubject = 32;
constexpr size_t kRecordOrigin = 63;
constexpr size_t kRecordDate = 94;
constexpr size_t kRecordCode = 117;
constexpr size_t kRecordTag = 140;
constexpr size_t kRecordTagWidth = 32;
constexpr size_t kRecordBlockSize = 172;
constexpr size_t kRecordLineCount = 176;
constexpr size_t kRecordKind = 180;

using CodeRecord = std::array<char, kCodeRecordSize>;

void PutLittleEndian(char* target, uint32_t value) {
  for (int i = 0; i < 4; ++i) target[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void CopyField(const SnippetHeader& header, FieldSpan field, CodeRecord& record, size_t offset) {
  const std::string_view text = header.Field(field);
  std::copy(text.begin(), text.end(), record.data() + offset);
}

CodeRecord MakeRecord(const SnippetInfo& snippet, uint32_t block_size, uint32_t line_count) {
  CodeRecord record{};
  const SnippetHeader& header = snippet.header;
  CopyField(header, SnippetHeader::kAuthor, record, kRecordAuthor);
  CopyField(header, SnippetHeader::kSubject, record, kRecordSubject);
  CopyField(header, SnippetHeader::kOrigin, record, kRecordOrigin);
  CopyField(header, SnippetHeader::kDate, record, kRecordDate);
  CopyField(header, SnippetHeader::kCode, record, kRecordCode);
  // The Tag keeps every stored byte, NULs included; blanks fill the rest of its 32 bytes.
  std::fill_n(record.data() + kRecordTag, kRecordTagWidth, ' ');
  CopyField(header, SnippetHeader::kTag, record, kRecordTag);
  PutLittleEndian(record.data() + kRecordBlockSize, block_size);
  PutLittleEndian(record.data() + kRecordLineCount, line_count);
  record[kRecordKind] = static_cast<char>(snippet.kind);
  return record;
}

// A count the code file holds in a signed 32-bit field; a larger one could only be stated wrongly.
Result<uint32_t> StatedCount(uint64_t value, std::string_view what) {
  if (value > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
    return Status::Error(std::string(what) + " is too large for a code file");
  }
  return static_cast<uint32_t>(value);
}

// The code file as it grows: buffered appends, and the offset each byte lands at, so that a
// record can be completed once the lines after it are known.
class CodeFileOutput {
 public:
  explicit CodeFileOutput(File& file) : file_(file), out_(file) {}

  void Write(std::string_view bytes) {
    out_.Write(bytes);
    offset_ += bytes.size();
  }
  void PutByte(uint8_t value) {
    out_.Put(static_cast<char>(value));
    ++offset_;
  }
  void PutNumber(uint32_t value) {
    char bytes[4];
    PutLittleEndian(bytes, value);
    Write(std::string_view(bytes, sizeof bytes));
  }
  uint64_t offset() const { return offset_; }
  const Status& status() const { return out_.status(); }
  Status Flush() { return out_.Flush(); }

  // Writes `bytes` again at `offset`, over what was written there before.
  Status Rewrite(uint64_t offset, std::span<const char> bytes) {
    OLDVEK_RETURN_IF_ERROR(out_.Flush());
    return file_.WriteAt(offset, bytes);
  }

 private:
  File& file_;
  BufferedWriter out_;
  uint64_t offset_ = 0;
};

class CodeFileWriter {
 public:
  CodeFileWriter(FileSystem& file_system, const CodeFileRequest& request, CodeFileProgress& progress, File& file)
      : file_system_(file_system), request_(request), progress_(progress), out_(file) {}

  Status Write(CodeFileOutcome& outcome);
  // Marks every snippet written as read, once the code file is in place.
  void MarkWritten();

 private:
  Status WritePacket(const PacketName& base, const std::string& packet_file, CodeFileOutcome& outcome);
  Result<SnippetInfo> WriteSnippet(const ScannedSnippet& scanned, const std::string& index_path);

  FileSystem& file_system_;
  const CodeFileRequest& request_;
  CodeFileProgress& progress_;
  CodeFileOutput out_;
  std::vector<std::pair<PacketName, UnmarkedRun>> written_;  // each packet's snippets
};

Status CodeFileWriter::Write(CodeFileOutcome& outcome) {
  out_.Write(request_.lead_text);
  out_.PutNumber(static_cast<uint32_t>(request_.header_number));
  auto next = request_.chosen.begin();
  for (uint64_t number = 1; number <= request_.packet_count; ++number) {
    while (next != request_.chosen.end() && next->number < number) ++next;
    if (next == request_.chosen.end() || next->number != number) {
      progress_.PacketPassedOver();
      continue;
    }
    if (!next->base) {
      // Opening ".IDX" and ".VEK" would only leave two stray files in the folder.
      outcome.left_out.push_back("packet " + DecimalText(number) + ": it has no name in the packet list");
      progress_.PacketPassedOver();
      continue;
    }
    const std::string packet_file = PacketFileName("", *next->base, PacketFileKind::kPacket);
    if (packet_file.size() > kLongestCountedText) {
      outcome.left_out.push_back(packet_file + ": its name is longer than 255 characters");
      progress_.PacketPassedOver();
      continue;
    }
    OLDVEK_RETURN_IF_ERROR(WritePacket(*next->base, packet_file, outcome));
  }
  return out_.Flush();
}

Status CodeFileWriter::WritePacket(const PacketName& base, const std::string& packet_file, CodeFileOutcome& outcome) {
  // One pass over the packet under its lock (settled once): the block's head once the files
  // are open, then each snippet with its lines as the pass reaches it.
  const std::string index_path = PacketFileName(request_.folder, base, PacketFileKind::kIndex);
  UnmarkedRun& run = written_.emplace_back(base, UnmarkedRun()).second;
  ScanOptions options;
  options.open = PacketOpen::kList;
  options.access = request_.mark_read == MarkRead::kYes ? PacketAccess::kMark : PacketAccess::kRead;
  options.opened = [&](uint64_t records) -> Status {
    progress_.PacketOpened();
    OLDVEK_ASSIGN_OR_RETURN(uint32_t snippet_count, StatedCount(records, "the number of snippets in " + index_path));
    out_.PutByte(static_cast<uint8_t>(packet_file.size()));
    out_.Write(packet_file);
    out_.PutNumber(snippet_count);
    return Status::Ok();
  };
  return ScanPacket(
      file_system_, request_.folder, base, {},
      [&](const ScannedSnippet& scanned) -> Status {
        OLDVEK_ASSIGN_OR_RETURN(SnippetInfo snippet, WriteSnippet(scanned, index_path));
        run.Add(scanned.number, snippet.record);
        if (snippet.cut_short) outcome.cut_short.push_back(packet_file + " snippet " + DecimalText(scanned.number));
        progress_.SnippetWritten(CodeFileProgressText(packet_file, snippet.header));
        return Status::Ok();
      },
      options);
}

Result<SnippetInfo> CodeFileWriter::WriteSnippet(const ScannedSnippet& scanned, const std::string& index_path) {
  // The lines go out as they are read; the record before them is written in full once their
  // number, their size and the Kind are known.
  const uint64_t record_offset = out_.offset();
  out_.Write(std::string_view(CodeRecord{}.data(), kCodeRecordSize));
  uint64_t line_count = 0;
  uint64_t block_size = 0;
  Result<SnippetInfo> snippet =
      ReadSnippet(scanned.packet, scanned.packet_length, scanned.place, [&](std::string_view line) {
        // A line longer than a length byte can state goes on as the next stored lines.
        do {
          const std::string_view piece = line.substr(0, kLongestCountedText);
          out_.PutByte(static_cast<uint8_t>(piece.size()));
          out_.Write(piece);
          ++line_count;
          block_size += 1 + piece.size();
          line.remove_prefix(piece.size());
        } while (!line.empty());
        return out_.status();
      });
  if (!snippet.ok()) return snippet.status();

  const std::string which = "the snippet at " + DecimalText(RecordPosition(scanned.number)) + " of " + index_path;
  OLDVEK_ASSIGN_OR_RETURN(uint32_t stated_lines, StatedCount(line_count, "the number of lines of " + which));
  OLDVEK_ASSIGN_OR_RETURN(uint32_t stated_size, StatedCount(block_size, "the size of " + which));
  const CodeRecord record = MakeRecord(*snippet, stated_size, stated_lines);
  OLDVEK_RETURN_IF_ERROR(out_.Rewrite(record_offset, record));
  return snippet;
}

void CodeFileWriter::MarkWritten() {
  if (request_.mark_read == MarkRead::kNo) return;
  // The code file is complete without them: a mark that cannot be set is left as it was.
  for (const auto& [base, run] : written_) (void)MarkRunRead(file_system_, request_.folder, base, run);
}

}  // namespace

Status CodeFileNotWritten(std::string_view path, const Status& cause) {
  return Status::Error("The code file " + std::string(path) + " was not written: " + cause.message());
}

Result<CodeFileOutcome> WriteCodeFile(FileSystem& file_system, const CodeFileRequest& request,
                                      CodeFileProgress& progress) {
  // The code file never takes the place of a packet it is made from.
  std::vector<std::string> inputs;
  for (const ChosenPacket& packet : request.chosen) {
    if (!packet.base) continue;
    for (std::string& file : PacketFileNames(request.folder, *packet.base)) inputs.push_back(std::move(file));
  }
  // Written beside its name and put in place when complete: a code file cut short would look
  // complete to the reader, and a file that stood under the name stays until then.
  Result<OutputFile> file = OutputFile::Create(file_system, request.path, inputs);
  if (!file.ok()) return CodeFileNotWritten(request.path, file.status());

  CodeFileOutcome outcome;
  CodeFileWriter writer(file_system, request, progress, file->file());
  Status status = writer.Write(outcome);
  if (status.ok()) status = file->Commit();
  if (!status.ok()) return CodeFileNotWritten(request.path, status);
  writer.MarkWritten();
  return outcome;
}

std::string CodeFileProgressText(std::string_view packet_file, const SnippetHeader& header) {
  std::string text = "Working on \r\n";
  text.append(packet_file).append("\r\n\r\nInstalling\r\n");
  text.append(TrimTrailingBlanks(header.Field(SnippetHeader::kSubject)));
  return text;
}

}  // namespace oldvek
