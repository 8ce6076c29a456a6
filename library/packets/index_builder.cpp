#include "packets/index_builder.h"

#include <algorithm>

#include "packets/formats.h"
#include "packets/packet_files.h"
#include "packets/snippet_entry.h"

namespace oldvek {

Result<std::vector<std::string>> BuildSnippetList(FileSystem& file_system, std::string_view folder,
                                                  std::string_view base) {
  Result<std::unique_ptr<File>> index = file_system.Open(PacketPath(folder, base, kIndexExtension), kSharedPacketOpen);
  if (!index.ok()) return index.status();
  Result<uint64_t> index_length = (*index)->Size();
  if (!index_length.ok()) return index_length.status();
  const uint64_t count = RecordCount(*index_length);

  Result<std::unique_ptr<File>> packet = file_system.Open(PacketPath(folder, base, kPacketExtension), kSharedPacketOpen);
  if (!packet.ok()) return packet.status();

  std::vector<std::string> entries;
  entries.reserve(count);
  // The index is read front to back in runs of records; each header is one positioned read.
  constexpr uint64_t kRecordsPerRead = 4096;
  std::string run;
  IndexRecord record;
  SnippetHeader header;
  for (uint64_t first = 1; first <= count; first += kRecordsPerRead) {
    const uint64_t records = std::min(kRecordsPerRead, count - first + 1);
    run.resize(records * kIndexRecordSize);
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(**index, RecordPosition(first), run));
    for (uint64_t i = 0; i < records; ++i) {
      std::copy_n(run.data() + i * kIndexRecordSize, kIndexRecordSize, record.bytes().data());
      OLDVEK_RETURN_IF_ERROR(ReadAtPosition(**packet, record.start(), header.bytes()));
      entries.push_back(MakeSnippetEntry(first + i, header, base));
    }
  }
  return entries;
}

}  // namespace oldvek
