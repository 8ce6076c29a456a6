#include "snippet_json.h"

#include <cstdio>

#include "archive.h"
#include "base/text.h"
#include "failure.h"
#include "packets/index_reader.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"

namespace vek {
namespace {

// Windows-1252 at 0x80..0x9F; its five unassigned bytes keep their C1 control characters.
constexpr char16_t kHighControls[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

nlohmann::json Field(const oldvek::SnippetHeader& header, oldvek::FieldSpan span) {
  return Text(oldvek::TrimTrailingBlanks(header.Field(span)));
}

}  // namespace

nlohmann::json Text(std::string_view bytes) {
  std::string utf8;
  for (const char byte : bytes) {
    const auto b = static_cast<uint8_t>(byte);
    AppendUtf8(utf8, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return utf8;
}

nlohmann::json SnippetJson(const std::string& base, uint64_t number, const oldvek::IndexRecord& record,
                           const oldvek::SnippetHeader& header) {
  using H = oldvek::SnippetHeader;
  return {{"packet", Text(base)},
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

oldvek::Result<std::vector<StoredSnippet>> ReadStoredSnippets(const oldvek::PacketFiles& files) {
  constexpr oldvek::OpenOptions kReadOnly{oldvek::Access::kRead, oldvek::Share::kShared,
                                          oldvek::Disposition::kOpenExisting};
  oldvek::Result<std::unique_ptr<oldvek::File>> index = Files().Open(files.index, kReadOnly);
  if (!index.ok()) return index.status();
  oldvek::Result<std::unique_ptr<oldvek::File>> packet = Files().Open(files.packet, kReadOnly);
  if (!packet.ok()) return packet.status();
  oldvek::Result<uint64_t> length = (*index)->Size();
  if (!length.ok()) return length.status();
  oldvek::IndexReader reader(**index, oldvek::RecordCount(*length));
  std::vector<StoredSnippet> snippets(reader.record_count());
  for (uint64_t number = 1; number <= reader.record_count(); ++number) {
    StoredSnippet& snippet = snippets[number - 1];
    OLDVEK_RETURN_IF_ERROR(reader.Read(number, snippet.record));
    OLDVEK_RETURN_IF_ERROR(oldvek::ReadAtPosition(**packet, snippet.record.start(), snippet.header.bytes()));
  }
  return snippets;
}

}  // namespace

std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const std::string& base) {
  // As a reader, like every reader: an edit running beside is seen whole or not at all.
  return Must(oldvek::ReadPacket(Files(), folder, base, oldvek::PacketAccess::kRead, [&](const oldvek::PacketLock&) {
    return ReadStoredSnippets(oldvek::PacketFiles(folder, base));
  }));
}

void PrintJson(const nlohmann::json& document) { std::printf("%s\n", document.dump(2).c_str()); }

}  // namespace vek
