// vek search: the library's packet search in mode 3, with vek playing the reader's part:
// its criteria ask for one field (or the code text) and its match is a case-blind substring.
#include <cstdio>
#include <cstddef>
#include <cstring>

#include "base/text.h"
#include "command.h"
#include "options.h"
#include "packets/search.h"
#include "packets/search_criteria.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_reader.h"

namespace vek {
namespace {

using oldvek::Status;

// Where the text is looked for.
struct Field {
  const char* name;
  int criterion;
  size_t term_offset;  // of the term in SearchCriteria
  size_t term_width;
};
constexpr Field kFields[] = {
    {"subject", oldvek::kSubjectCriterion, offsetof(SearchCriteria, SubjectTerm), 32},
    {"author", oldvek::kAuthorCriterion, offsetof(SearchCriteria, AuthorTerm), 32},
    {"origin", oldvek::kOriginCriterion, offsetof(SearchCriteria, OriginTerm), 32},
    {"code", oldvek::kCodeTextCriterion, offsetof(SearchCriteria, CodeTextTerm), 256},
};

class CommandLineSearch final : public oldvek::SearchCaller {
 public:
  CommandLineSearch(std::string folder, std::vector<std::string> packets, const Field& field, std::string text)
      : folder_(std::move(folder)), packets_(std::move(packets)), field_(field), text_(std::move(text)) {}

  std::optional<std::string> PacketEntry(int64_t index) override {
    if (index < 1 || index > static_cast<int64_t>(packets_.size())) return std::nullopt;
    return packets_[static_cast<size_t>(index - 1)];
  }

  Status ExamineSnippet(SearchCriteria& criteria, SnippetRecord&, uint8_t& bits, int64_t packet_index,
                        uint64_t record_position, uint64_t) override {
    bits = static_cast<uint8_t>(1u << oldvek::kPacketCriterion | 1u << field_.criterion);
    criteria.PacketSwitch = 1;
    *SwitchOf(criteria) = 1;
    char* term = reinterpret_cast<char*>(&criteria) + field_.term_offset;
    std::memset(term, ' ', field_.term_width);
    std::memcpy(term, text_.data(), text_.size());
    lines_.clear();
    if (field_.criterion != oldvek::kCodeTextCriterion) return Status::Ok();
    const std::string base(oldvek::PacketBaseName(packets_[static_cast<size_t>(packet_index - 1)]));
    // The summary lines stand first, as in a fetched snippet; the search reads from line 3.
    // Listing the packet has settled it, so each snippet is fetched without settling again.
    lines_.assign(2, std::string());
    oldvek::Result<oldvek::SnippetInfo> info = oldvek::RetrieveSettledSnippet(
        oldvek::FileSystem::Default(), folder_, base, record_position,
        [this](std::string_view line) {
          lines_.emplace_back(line);
          return Status::Ok();
        },
        oldvek::MarkRead::kNo);
    return info.ok() ? Status::Ok() : info.status();
  }

  Status AddMatch(int32_t, std::string_view entry) override {
    std::printf("%.*s\n", static_cast<int>(entry.size()), entry.data());
    return Status::Ok();
  }

  bool Matches(std::string_view text, std::string_view term) override {
    return oldvek::ContainsIgnoringAsciiCase(text, oldvek::TrimTrailingBlanks(term));
  }
  oldvek::LineBounds CodeLineBounds() override { return {1, static_cast<int64_t>(lines_.size())}; }
  std::string CodeLine(int64_t index) override { return lines_[static_cast<size_t>(index - 1)]; }

 private:
  int32_t* SwitchOf(SearchCriteria& criteria) const {
    switch (field_.criterion) {
      case oldvek::kAuthorCriterion: return &criteria.AuthorSwitch;
      case oldvek::kOriginCriterion: return &criteria.OriginSwitch;
      case oldvek::kCodeTextCriterion: return &criteria.CodeTextSwitch;
      default: return &criteria.SubjectSwitch;
    }
  }

  std::string folder_;
  std::vector<std::string> packets_;
  const Field& field_;
  std::string text_;
  std::vector<std::string> lines_;
};

}  // namespace

int RunSearch(const Arguments& arguments) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {"in"}, error);
  if (!parsed) return Fail("search: " + error);
  if (parsed->positional.size() < 2) return Fail("search: expected FOLDER TEXT [PACKET...]");
  const std::string where = parsed->Option("in").value_or("subject");
  const Field* field = nullptr;
  for (const Field& candidate : kFields) {
    if (where == candidate.name) field = &candidate;
  }
  if (field == nullptr) return Fail("search: --in takes subject, author, origin or code");
  const std::string& text = parsed->positional[1];
  if (text.empty() || text.size() > field->term_width) {
    return Fail("search: the text must be 1 to " + std::to_string(field->term_width) + " characters");
  }
  const std::string folder = AsFolder(parsed->positional[0]);
  std::vector<std::string> packets(parsed->positional.begin() + 2, parsed->positional.end());
  if (packets.empty()) packets = PacketsIn(folder);

  SearchCriteria criteria{};
  SnippetRecord snippet{};
  oldvek::SearchRequest request;
  request.mode = oldvek::kModeTermsMatch;
  request.first = 1;
  request.last = static_cast<int64_t>(packets.size());
  request.folder = folder;
  CommandLineSearch caller(folder, packets, *field, text);
  const oldvek::SearchOutcome outcome =
      oldvek::SearchPackets(oldvek::FileSystem::Default(), request, criteria, snippet, caller);
  std::fprintf(stderr, "%d matches\n", outcome.matches);
  if (!outcome.status.ok()) return Fail("search: " + outcome.status.message());
  return outcome.matches > 0 ? 0 : 1;
}

}  // namespace vek
