#include "packets/index_builder.h"

#include "packets/formats.h"
#include "packets/index_reader.h"
#include "packets/open_packet.h"
#include "packets/packet_lock.h"
#include "packets/snippet_entry.h"

namespace oldvek {
namespace {

Result<std::vector<std::string>> ListSnippets(FileSystem& file_system, std::string_view folder,
                                              const PacketName& base) {
  OLDVEK_ASSIGN_OR_RETURN(OpenPacket open, OpenPacket::Open(file_system, PacketFiles(folder, base), PacketOpen::kList));
  IndexReader records(*open.index, open.record_count());
  std::vector<std::string> entries;
  entries.reserve(records.record_count());
  IndexRecord record;
  SnippetHeader header;
  for (uint64_t k = 1; k <= records.record_count(); ++k) {
    OLDVEK_RETURN_IF_ERROR(records.Read(k, record));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*open.packet, record.start(), header.bytes()));
    entries.push_back(MakeSnippetEntry(k, header, base));
  }
  return entries;
}

}  // namespace

Result<std::vector<std::string>> BuildSnippetList(FileSystem& file_system, std::string_view folder,
                                                  const PacketName& base) {
  // As a reader, and settled: the index and the packet read are always of one generation.
  return ReadPacket(file_system, folder, base, PacketAccess::kRead,
                    [&](const PacketLock&) { return ListSnippets(file_system, folder, base); });
}

}  // namespace oldvek
