#include "snippet_json.h"

#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "failure.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"
#include "text_encoding.h"

namespace vek {
namespace {

nlohmann::json Field(const oldvek::SnippetHeader& header, oldvek::FieldSpan span) {
  return Text(oldvek::TrimTrailingBlanks(header.Field(span)));
}

}  // namespace

nlohmann::json Text(std::string_view bytes) { return ArchiveEncoding().ToUtf8(bytes); }

nlohmann::json Name(std::string_view name) { return NameForJson(name); }

nlohmann::json SnippetJson(const std::string& base, uint64_t number, const oldvek::IndexRecord& record,
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

std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const std::string& base) {
  constexpr oldvek::OpenOptions kReadOnly{oldvek::Access::kRead, oldvek::Share::kShared,
                                          oldvek::Disposition::kOpenExisting};
  // Under the packet's lock, like every reader: an edit running beside is seen whole or not at all.
  const oldvek::PacketLock lock = Must(oldvek::PacketLock::Take(Files(), folder, base, oldvek::PacketAccess::kRead));
  const oldvek::PacketFiles files(folder, base);
  std::unique_ptr<oldvek::File> index = Must(Files().Open(files.index, kReadOnly));
  std::unique_ptr<oldvek::File> packet = Must(Files().Open(files.packet, kReadOnly));
  oldvek::IndexReader reader(*index, oldvek::RecordCount(Must(index->Size())));
  std::vector<StoredSnippet> snippets(reader.record_count());
  for (uint64_t number = 1; number <= reader.record_count(); ++number) {
    StoredSnippet& snippet = snippets[number - 1];
    Must(reader.Read(number, snippet.record));
    Must(oldvek::ReadAtPosition(*packet, snippet.record.start(), snippet.header.bytes()));
  }
  return snippets;
}

void PrintJson(const nlohmann::json& document) { std::printf("%s\n", document.dump(2).c_str()); }

}  // namespace vek
