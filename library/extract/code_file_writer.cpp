#include "extract/code_file_writer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

#include "base/text.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"
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
  Result<SnippetInfo> WriteSnippet(const PacketName& base, uint64_t record_position);

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
    const std::string& base = next->base;
    const std::string packet_file = base + std::string(kPacketExtension);
    if (base.empty()) {
      // Opening ".IDX" and ".VEK" would only leave two stray files in the folder.
      outcome.left_out.push_back("packet " + DecimalText(number) + ": it has no name in the packet list");
      progress_.PacketPassedOver();
    } else if (packet_file.size() > kLongestCountedText) {
      outcome.left_out.push_back(packet_file + ": its name is longer than 255 characters");
      progress_.PacketPassedOver();
    } else {
      OLDVEK_ASSIGN_OR_RETURN(const PacketName name, PacketName::Make(base));
      OLDVEK_RETURN_IF_ERROR(WritePacket(name, packet_file, outcome));
    }
  }
  return out_.Flush();
}

Status CodeFileWriter::WritePacket(const PacketName& base, const std::string& packet_file, CodeFileOutcome& outcome) {
  // Both files stay open, shared, while the block is written: retrieval opens them again for
  // every snippet, and an editor that must be alone with the packet cannot change it meanwhile.
  // The packet's lock is held, and the packet settled once, for the whole block; the snippets
  // are then fetched without settling again.
  OLDVEK_ASSIGN_OR_RETURN(
      PacketLock lock,
      PacketLock::Take(file_system_, request_.folder, base,
                       request_.mark_read == MarkRead::kYes ? PacketAccess::kMark : PacketAccess::kRead));
  const std::string index_path = PacketPath(request_.folder, base, kIndexExtension);
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, OpenForReading(file_system_, index_path, kSharedPacketOpen));
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> packet,
      OpenForReading(file_system_, PacketPath(request_.folder, base, kPacketExtension), kSharedPacketOpen));
  progress_.PacketOpened();

  OLDVEK_ASSIGN_OR_RETURN(uint64_t index_length, index->Size());
  const uint64_t records = RecordCount(index_length);
  OLDVEK_ASSIGN_OR_RETURN(uint32_t snippet_count, StatedCount(records, "the number of snippets in " + index_path));

  out_.PutByte(static_cast<uint8_t>(packet_file.size()));
  out_.Write(packet_file);
  out_.PutNumber(snippet_count);
  UnmarkedRun& run = written_.emplace_back(base, UnmarkedRun()).second;
  for (uint64_t k = 1; k <= records; ++k) {
    OLDVEK_ASSIGN_OR_RETURN(SnippetInfo snippet, WriteSnippet(base, RecordPosition(k)));
    run.Add(k, snippet.record);
    if (snippet.cut_short) outcome.cut_short.push_back(packet_file + " snippet " + DecimalText(k));
    progress_.SnippetWritten(CodeFileProgressText(packet_file, snippet.header));
  }
  OLDVEK_RETURN_IF_ERROR(packet->Close());
  return index->Close();
}

Result<SnippetInfo> CodeFileWriter::WriteSnippet(const PacketName& base, uint64_t record_position) {
  // The lines go out as they are read; the record before them is written in full once their
  // number, their size and the Kind are known.
  const uint64_t record_offset = out_.offset();
  out_.Write(std::string_view(CodeRecord{}.data(), kCodeRecordSize));
  uint64_t line_count = 0;
  uint64_t block_size = 0;
  OLDVEK_ASSIGN_OR_RETURN(SnippetInfo snippet, RetrieveSettledSnippet(
                                                   file_system_, request_.folder, base, record_position,
                                                   [&](std::string_view line) {
                                                     // A line longer than a length byte can state goes on as the next
                                                     // stored lines.
                                                     do {
                                                       const std::string_view piece =
                                                           line.substr(0, kLongestCountedText);
                                                       out_.PutByte(static_cast<uint8_t>(piece.size()));
                                                       out_.Write(piece);
                                                       ++line_count;
                                                       block_size += 1 + piece.size();
                                                       line.remove_prefix(piece.size());
                                                     } while (!line.empty());
                                                     return out_.status();
                                                   },
                                                   MarkRead::kNo));

  const std::string which =
      "the snippet at " + DecimalText(record_position) + " of " + PacketPath(request_.folder, base, kIndexExtension);
  OLDVEK_ASSIGN_OR_RETURN(uint32_t stated_lines, StatedCount(line_count, "the number of lines of " + which));
  OLDVEK_ASSIGN_OR_RETURN(uint32_t stated_size, StatedCount(block_size, "the size of " + which));
  const CodeRecord record = MakeRecord(snippet, stated_size, stated_lines);
  OLDVEK_RETURN_IF_ERROR(out_.Rewrite(record_offset, record));
  return snippet;
}

void CodeFileWriter::MarkWritten() {
  if (request_.mark_read == MarkRead::kNo) return;
  // The code file is complete without them: a mark that cannot be set is left as it was.
  for (const auto& [base, run] : written_) (void)MarkRunRead(file_system_, request_.folder, base, run);
}

Status NotWritten(const std::string& path, const Status& cause) {
  return Status::Error("The code file " + path + " was not written: " + cause.message());
}

}  // namespace

Result<CodeFileOutcome> WriteCodeFile(FileSystem& file_system, const CodeFileRequest& request,
                                      CodeFileProgress& progress) {
  // The code file never takes the place of a packet it is made from.
  std::vector<std::string> inputs;
  for (const ChosenPacket& packet : request.chosen) {
    const Result<PacketName> name = PacketName::Make(packet.base);
    if (!name.ok()) continue;  // names no file of the folder
    for (std::string& file : PacketFileNames(request.folder, *name)) inputs.push_back(std::move(file));
  }
  // Written beside its name and put in place when complete: a code file cut short would look
  // complete to the reader, and a file that stood under the name stays until then.
  Result<OutputFile> file = OutputFile::Create(file_system, request.path, inputs);
  if (!file.ok()) return NotWritten(request.path, file.status());

  CodeFileOutcome outcome;
  CodeFileWriter writer(file_system, request, progress, file->file());
  Status status = writer.Write(outcome);
  if (status.ok()) status = file->Commit();
  if (!status.ok()) return NotWritten(request.path, status);
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
