#include "snippet_json.h"

#include <algorithm>
#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "failure.h"
#include "packets/index_reader.h"
#include "packets/open_packet.h"
#include "packets/packet_lock.h"
#include "packets/snippet_reader.h"
#include "text_encoding.h"

namespace vek {
namespace {

nlohmann::json Field(const oldvek::SnippetHeader& header, oldvek::FieldSpan span) {
  return Text(oldvek::TrimTrailingBlanks(header.Field(span)));
}

}  // namespace

nlohmann::json Text(std::string_view bytes) { return ArchiveEncoding().ToUtf8(bytes); }

nlohmann::json Name(std::string_view name) { return NameForJson(name); }

nlohmann::json SnippetJson(std::string_view base, uint64_t number, const oldvek::IndexRecord& record,
                           const oldvek::SnippetHeader& header) {
  using H = oldvek::SnippetHeader;
  return {{"packet", Name(base)},
          {"record", number},
          {"unread", record.flag() != ' '},
          {"author", Field(header, H::kAuthor)},
          {"subject", Field(header, H::kSubject)},
          {"origin", Field(header, H::kOrigin)},
          {"date", Field(header, H::kDate)},
          {"code", Field(header, H::kCode)},
          {"extra", Field(header, H::kExtra)},
          {"tag", Field(header, H::kTag)}};
}

namespace {

oldvek::Result<SnippetWindow> ReadStoredWindow(const std::string& folder, const oldvek::PacketName& base,
                                               uint64_t first, uint64_t count, bool kinds) {
  OLDVEK_ASSIGN_OR_RETURN(oldvek::OpenPacket open, oldvek::OpenPacket::Open(Files(), oldvek::PacketFiles(folder, base),
                                                                            oldvek::PacketOpen::kRead));
  oldvek::IndexReader reader(*open.index, open.record_count());
  SnippetWindow window{reader.record_count(), {}};
  const uint64_t last = first > window.count ? first - 1 : first - 1 + std::min(count, window.count - (first - 1));
  window.snippets.resize(last - (first - 1));
  for (uint64_t number = first; number <= last; ++number) {
    StoredSnippet& snippet = window.snippets[number - first];
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, snippet.record));
    OLDVEK_RETURN_IF_ERROR(oldvek::ReadAtPosition(*open.packet, snippet.record.start(), snippet.header.bytes()));
    if (kinds) {
      // The kind as a fetch finds it, from the files already open.
      const auto ignore = [](std::string_view) { return oldvek::Status::Ok(); };
      OLDVEK_ASSIGN_OR_RETURN(const oldvek::SnippetPlace place, open.Locate(oldvek::RecordPosition(number)));
      OLDVEK_ASSIGN_OR_RETURN(const oldvek::SnippetInfo info,
                              oldvek::ReadSnippet(*open.packet, open.packet_length, place, ignore));
      snippet.attachment = info.kind == oldvek::SnippetKind::kAttachment;
    }
  }
  return window;
}

}  // namespace

std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const oldvek::PacketName& base) {
  return ReadSnippetWindow(folder, base, 1, UINT64_MAX, false).snippets;
}

SnippetWindow ReadSnippetWindow(const std::string& folder, const oldvek::PacketName& base, uint64_t first,
                                uint64_t count, bool kinds) {
  // As a reader, like every reader: an edit running beside is seen whole or not at all.
  return Must(oldvek::ReadPacket(Files(), folder, base, oldvek::PacketAccess::kRead, [&](const oldvek::PacketLock&) {
    return ReadStoredWindow(folder, base, first, count, kinds);
  }));
}

void PrintJson(const nlohmann::json& document) { std::printf("%s\n", document.dump(2).c_str()); }

}  // namespace vek
