#include "extract/snippet_extraction.h"

#include <memory>
#include <new>

#include "extract/snippet_text_writer.h"
#include "packets/formats.h"
#include "packets/packet_commit.h"
#include "packets/packet_files.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"
#include "platform/buffered_writer.h"

namespace oldvek {
namespace {

// A missing index holds no record to extract; opening it must not create it.
constexpr OpenOptions kExistingIndexOpen{Access::kReadWrite, Share::kExclusive, Disposition::kOpenExisting};
constexpr OpenOptions kOutputOpen{Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate};

struct OpenSnippet {
  File& index;
  File& packet;
  uint64_t record_position;
  SnippetPlace place;
  std::string packet_file;  // BASE.VEK, as the comment block names it
};

Result<ExtractionOutcome> WriteOut(OpenSnippet& snippet, File& output, int32_t mode) {
  snippet.place.record.set_flag(' ');
  OLDVEK_RETURN_IF_ERROR(WriteAtPosition(snippet.index, snippet.record_position, snippet.place.record.bytes()));
  OLDVEK_RETURN_IF_ERROR(snippet.index.Close());

  BufferedWriter out(output);
  ExtractionOutcome outcome;
  if (mode == kAttachmentMode) {
    outcome.attachment = true;
    AttachmentExtractor extractor(out);
    OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(snippet.packet, snippet.place, [&](std::string_view line) {
      extractor.TakeLine(line);
      return out.status();
    }));
    outcome.check = extractor.check();
  } else {
    SnippetHeader header;
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(snippet.packet, snippet.place.record.start(), header.bytes()));
    WriteCommentBlock(out, header, snippet.packet_file);
    if (mode == kTextMode) {
      OLDVEK_RETURN_IF_ERROR(ReadSnippetBody(snippet.packet, snippet.place, [&](std::string_view line) {
        WriteLine(out, line);
        return out.status();
      }));
    }
  }
  OLDVEK_RETURN_IF_ERROR(out.Flush());
  OLDVEK_RETURN_IF_ERROR(output.Close());
  OLDVEK_RETURN_IF_ERROR(snippet.packet.Close());
  return outcome;
}

}  // namespace

Result<ExtractionOutcome> ExtractSnippet(FileSystem& file_system, std::string_view entry, std::string_view folder,
                                         const std::string& out_path, int32_t mode) {
  Result<EntryLocation> location = ParseEntryLocation(entry);
  if (!location.ok()) return location.status();
  // An interrupted change of the packet is completed or discarded before it is read.
  OLDVEK_RETURN_IF_ERROR(SettlePacket(file_system, folder, location->base));
  Result<std::unique_ptr<File>> index =
      file_system.Open(PacketPath(folder, location->base, kIndexExtension), kExistingIndexOpen);
  if (!index.ok()) return index.status();
  Result<SnippetPlace> place = LocateSnippet(**index, location->record_position);
  if (!place.ok()) return place.status();
  Result<std::unique_ptr<File>> packet =
      file_system.Open(PacketPath(folder, location->base, kPacketExtension), kExclusivePacketOpen);
  if (!packet.ok()) return packet.status();
  Result<std::unique_ptr<File>> output = file_system.Open(out_path, kOutputOpen);
  if (!output.ok()) return output.status();

  OpenSnippet snippet{**index, **packet, location->record_position, *place,
                      location->base + std::string(kPacketExtension)};
  Result<ExtractionOutcome> outcome = [&]() -> Result<ExtractionOutcome> {
    try {
      return WriteOut(snippet, **output, mode);
    } catch (const std::bad_alloc&) {
      // A body whose line never ends is held whole; running out of room for it is a failure.
      return Status::Error("not enough memory for a line of the snippet");
    }
  }();
  if (!outcome.ok()) {
    // A half-written output must not pass for an extracted file.
    (void)(*output)->Close();
    (void)file_system.Remove(out_path);
  }
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
