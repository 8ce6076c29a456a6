#include "snippet_json.h"

#include <algorithm>
#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "failure.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
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

std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const oldvek::PacketName& base) {
  return ReadSnippetWindow(folder, base, 1, UINT64_MAX, false).snippets;
}

SnippetWindow ReadSnippetWindow(const std::string& folder, const oldvek::PacketName& base, uint64_t first, uint64_t count,
                                bool kinds) {
  constexpr oldvek::OpenOptions kReadOnly{oldvek::Access::kRead, oldvek::Share::kShared,
                                          oldvek::Disposition::kOpenExisting};
  // Under the packet's lock, like every reader: an edit running beside is seen whole or not at all.
  const oldvek::PacketLock lock = Must(oldvek::PacketLock::Take(Files(), folder, base, oldvek::PacketAccess::kRead));
  const oldvek::PacketFiles files(folder, base);
  std::unique_ptr<oldvek::File> index = Must(Files().Open(files.index, kReadOnly));
  std::unique_ptr<oldvek::File> packet = Must(Files().Open(files.packet, kReadOnly));
  oldvek::IndexReader reader(*index, oldvek::RecordCount(Must(index->Size())));
  SnippetWindow window{reader.record_count(), {}};
  const uint64_t last = first > window.count ? first - 1 : first - 1 + std::min(count, window.count - (first - 1));
  window.snippets.resize(last - (first - 1));
  for (uint64_t number = first; number <= last; ++number) {
    StoredSnippet& snippet = window.snippets[number - first];
    Must(reader.Read(number, snippet.record));
    Must(oldvek::ReadAtPosition(*packet, snippet.record.start(), snippet.header.bytes()));
    if (kinds) {
      const auto ignore = [](std::string_view) { return oldvek::Status::Ok(); };
      snippet.attachment = Must(oldvek::RetrieveSettledSnippet(Files(), folder, base, oldvek::RecordPosition(number),
                                                               ignore, oldvek::MarkRead::kNo))
                               .kind == oldvek::SnippetKind::kAttachment;
    }
  }
  return window;
}

void PrintJson(const nlohmann::json& document) { std::printf("%s\n", document.dump(2).c_str()); }

}  // namespace vek
