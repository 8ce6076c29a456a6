#include "browse/folder_archive.h"

#include <filesystem>
#include <memory>

#include "archive.h"
#include "base/text.h"
#include "extraction.h"
#include "failure.h"
#include "packets/packet_commit.h"
#include "packets/packet_scan.h"
#include "packets/snippet_reader.h"
#include "snippet_json.h"
#include "text_encoding.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using oldvek::SnippetHeader;

std::string Trimmed(const SnippetHeader& header, oldvek::FieldSpan field) {
  return std::string(oldvek::TrimTrailingBlanks(header.Field(field)));
}

SnippetRow RowOf(uint64_t number, const oldvek::IndexRecord& record, const SnippetHeader& header, bool attachment) {
  return {number, record.flag() != ' ', attachment, Trimmed(header, SnippetHeader::kSubject),
          Trimmed(header, SnippetHeader::kAuthor)};
}

// Author, Subject and Origin stand side by side in the header: one test looks at all three,
// each field on its own, so that the packet is read once for them.
constexpr oldvek::FieldSpan kNamingFields{SnippetHeader::kAuthor.offset,
                                          SnippetHeader::kOrigin.offset + SnippetHeader::kOrigin.width};

class AnyNamingField final : public oldvek::TextTest {
 public:
  explicit AnyNamingField(const oldvek::TextTest& test) : test_(test) {}
  bool Matches(std::string_view fields) const override {
    for (const oldvek::FieldSpan field : {SnippetHeader::kAuthor, SnippetHeader::kSubject, SnippetHeader::kOrigin}) {
      if (test_.Matches(fields.substr(field.offset - kNamingFields.offset, field.width))) return true;
    }
    return false;
  }

 private:
  const oldvek::TextTest& test_;
};

}  // namespace

FolderArchive::FolderArchive(std::string folder, bool mark_read) : folder_(std::move(folder)), mark_read_(mark_read) {
  names_ = PacketsIn(folder_);
  for (const oldvek::PacketName& base : names_) packets_.push_back({base.text(), SnippetCount(folder_, base)});
}

std::string FolderArchive::Stamp(const oldvek::PacketName& base) const {
  const oldvek::PacketFiles files(folder_, base);
  std::string stamp;
  for (const std::string* path : {&files.index, &files.packet}) {
    std::error_code error;
    const std::string real = MatchCase(*path);
    stamp += std::to_string(fs::file_size(real, error)) + ':' +
             std::to_string(fs::last_write_time(real, error).time_since_epoch().count()) + ' ';
  }
  return stamp;
}

const std::vector<SnippetRow>& FolderArchive::Window(size_t packet, uint64_t first) {
  Kept& kept = kept_[packet];
  const std::string stamp = Stamp(names_[packet]);
  if (stamp != kept.stamp || kept.windows.size() > kKeptWindows) {
    kept.windows.clear();
    kept.stamp = stamp;
  }
  const auto found = kept.windows.find(first);
  if (found != kept.windows.end()) return found->second;
  const SnippetWindow window = ReadSnippetWindow(folder_, names_[packet], first, kWindow, true);
  packets_[packet].snippets = window.count;
  std::vector<SnippetRow>& rows = kept.windows[first];
  uint64_t number = first;
  for (const StoredSnippet& snippet : window.snippets) {
    rows.push_back(RowOf(number++, snippet.record, snippet.header, snippet.attachment));
  }
  return rows;
}

std::vector<SnippetRow> FolderArchive::Snippets(size_t packet, uint64_t first, size_t count) {
  std::vector<SnippetRow> rows;
  for (uint64_t number = first; rows.size() < count;) {
    const uint64_t window_first = (number - 1) / kWindow * kWindow + 1;
    const std::vector<SnippetRow>& window = Window(packet, window_first);
    const uint64_t skip = number - window_first;
    if (skip >= window.size()) break;
    for (auto row = window.begin() + static_cast<std::ptrdiff_t>(skip); row != window.end() && rows.size() < count;
         ++row) {
      rows.push_back(*row);
    }
    number = window_first + kWindow;
  }
  return rows;
}

SnippetText FolderArchive::Open(size_t packet, uint64_t number) {
  SnippetText text;
  const oldvek::SnippetInfo info = Must(oldvek::RetrieveSnippet(
      Files(), folder_, names_[packet], oldvek::RecordPosition(number),
      [&](std::string_view line) {
        text.lines.emplace_back(line);
        return oldvek::Status::Ok();
      },
      mark_read_ ? oldvek::MarkRead::kYes : oldvek::MarkRead::kNo));
  for (const auto& [name, field] : {std::pair{"Author", SnippetHeader::kAuthor},
                                    {"Subject", SnippetHeader::kSubject},
                                    {"Origin", SnippetHeader::kOrigin},
                                    {"Date", SnippetHeader::kDate},
                                    {"Code", SnippetHeader::kCode}}) {
    text.fields.emplace_back(name, Trimmed(info.header, field));
  }
  text.fields.emplace_back("Tag", std::string(info.tag()));
  text.attachment = info.kind == oldvek::SnippetKind::kAttachment;
  return text;
}

Found FolderArchive::Search(const std::string& term) {
  const oldvek::CaseBlindText text(oldvek::TrimTrailingBlanks(term), ArchiveEncoding().lower_case());
  const AnyNamingField naming(text);
  const oldvek::ScanQuery queries[] = {{{{kNamingFields, &naming}}, {}}, {{}, {&text}}};
  Found found;
  for (size_t packet = 0; packet < packets_.size(); ++packet) {
    // Hits of the header pass and the code pass, in snippet order, each once.
    std::map<uint64_t, SnippetRow> hits;
    for (const oldvek::ScanQuery& query : queries) {
      const oldvek::Status scanned =
          oldvek::ScanPacket(Files(), folder_, names_[packet], query, [&](const oldvek::ScannedSnippet& snippet) {
            hits.try_emplace(snippet.number, RowOf(snippet.number, snippet.record, snippet.header, false));
            return oldvek::Status::Ok();
          });
      if (!scanned.ok() && found.left_out.empty()) found.left_out = scanned.message();
    }
    for (auto& [number, row] : hits) found.hits.push_back({packet, std::move(row)});
  }
  return found;
}

std::string FolderArchive::Extract(size_t packet, uint64_t number, bool attachment, const std::string& path) {
  DecodeSettings decode;
  decode.out = path;
  decode.quiet = true;  // the screen is the reader's
  return ExtractToFile({.folder = folder_,
                        .base = names_[packet],
                        .number = number,
                        .text = !attachment,
                        .mark = mark_read_ ? oldvek::MarkRead::kYes : oldvek::MarkRead::kNo,
                        .decode = decode});
}

}  // namespace vek
