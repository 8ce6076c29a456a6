#include "extract/snippet_extraction.h"

#include <memory>

#include "extract/snippet_text_writer.h"
#include "packets/formats.h"
#include "packets/open_packet.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"
#include "platform/buffered_writer.h"
#include "platform/output_file.h"

namespace oldvek {
namespace {

struct OpenSnippet {
  OpenPacket& files;
  uint64_t record_position;
  SnippetPlace place;
  std::string packet_file;  // BASE.VEK, as the comment block names it
  bool marks_read;          // false on a read-only medium: the Flag cannot be written
};

Result<ExtractionOutcome> WriteOut(OpenSnippet& snippet, File& output, int32_t mode) {
  BufferedWriter out(output);
  ExtractionOutcome outcome;
  File& packet = *snippet.files.packet;
  const uint64_t packet_length = snippet.files.packet_length;
  OLDVEK_ASSIGN_OR_RETURN(bool cut_short, SnippetCutShort(packet, packet_length, snippet.place));
  outcome.cut_short = cut_short;
  if (mode == kAttachmentMode) {
    outcome.attachment = true;
    AttachmentExtractor extractor(out);
    OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(packet, packet_length, snippet.place, [&](std::string_view line) {
      extractor.TakeLine(line);
      return out.status();
    }));
    outcome.check = extractor.check();
  } else {
    SnippetHeader header;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(packet, snippet.place.record.start(), header.bytes()));
    WriteCommentBlock(out, header, snippet.packet_file);
    if (mode == kTextMode) {
      OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(packet, packet_length, snippet.place, [&](std::string_view line) {
        WriteLine(out, line);
        return out.status();
      }));
    }
  }
  OLDVEK_RETURN_IF_ERROR(out.Flush());
  OLDVEK_RETURN_IF_ERROR(packet.Close());
  return outcome;
}

}  // namespace

Result<ExtractionOutcome> ExtractSnippet(FileSystem& file_system, std::string_view entry, std::string_view folder,
                                         const std::string& out_path, int32_t mode, MarkRead mark) {
  OLDVEK_ASSIGN_OR_RETURN(EntryLocation location, ParseEntryLocation(entry));
  // Under the packet's lock (the read mark is written), and settled, before anything is read.
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, location.base, PacketAccess::kMark));
  // A missing index holds no record to extract, and is not made; the packet file is opened
  // once the record is found.
  SnippetPlace place;
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket files, OpenPacket::OpenAt(file_system, PacketFiles(folder, location.base),
                                                               PacketOpen::kExtract, location.record_position, place));
  // Written beside its name and put in place when complete; never over the packet's own files.
  OLDVEK_ASSIGN_OR_RETURN(OutputFile output,
                          OutputFile::Create(file_system, out_path, PacketFileNames(folder, location.base)));

  OpenSnippet snippet{files, location.record_position, place,
                      PacketFileName("", location.base, PacketFileKind::kPacket),
                      files.writable && mark == MarkRead::kYes};
  Result<ExtractionOutcome> outcome = WriteOut(snippet, output.file(), mode);
  if (!outcome.ok()) return outcome;
  // A snippet without ZORVIT text gives no file: an empty one would pass for the attachment.
  if (outcome->attachment && !outcome->check.found) return outcome;
  OLDVEK_RETURN_IF_ERROR(output.Commit());
  // Read once the output is in place, and not before: a failed extraction leaves the mark as
  // it was. The output is complete without it, so a mark that cannot be set is left unset.
  if (snippet.marks_read) {
    snippet.place.record.set_flag(' ');
    (void)WriteAtPosition(*files.index, snippet.record_position, snippet.place.record.bytes());
  }
  (void)files.index->Close();
  return outcome;
}

std::string ExtractionMessage(const Result<ExtractionOutcome>& outcome, std::string_view out_path) {
  const std::string name(out_path);
  if (!outcome.ok()) return "Nothing extracted to " + name + ": " + outcome.status().message();
  if (!outcome.value().attachment) return name + " extracted";
  if (outcome.value().check.verified()) return name + " Zorvit extracted OK";
  return "Error Extracting " + name + " Zorvit";
}

}  // namespace oldvek
