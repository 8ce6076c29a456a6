// vek search: the library's packet search in mode 3, with vek playing the reader's part:
// its criteria ask for one field (or the code text) and its match is a case-blind substring.
#include <cstdio>
#include <cstddef>
#include <cstring>

#include "base/text.h"
#include "command.h"
#include "archive.h"
#include "failure.h"
#include "snippet_json.h"
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
  // Matches are printed as entries, or collected in `json` when it is given.
  CommandLineSearch(std::string folder, std::vector<std::string> packets, const Field& field, std::string text,
                    nlohmann::json* json)
      : folder_(std::move(folder)), packets_(std::move(packets)), field_(field), text_(std::move(text)), json_(json) {}

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
    packet_index_ = packet_index;
    record_position_ = record_position;
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
    if (json_ == nullptr) {
      std::fwrite(entry.data(), 1, entry.size(), stdout);
      std::fputc('\n', stdout);
      return Status::Ok();
    }
    const std::string& base = packets_[static_cast<size_t>(packet_index_ - 1)];
    const uint64_t number = (record_position_ - 1) / oldvek::kIndexRecordSize + 1;
    if (snippets_base_ != base) {
      snippets_ = ReadSnippets(folder_, base);
      snippets_base_ = base;
    }
    const StoredSnippet& snippet = snippets_[number - 1];
    json_->push_back(SnippetJson(base, number, snippet.record, snippet.header));
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
  nlohmann::json* json_;
  int64_t packet_index_ = 0;
  uint64_t record_position_ = 0;
  std::string snippets_base_;  // the packet `snippets_` holds
  std::vector<StoredSnippet> snippets_;
};

struct SearchOptions {
  std::string folder;
  std::string text;
  std::vector<std::string> packets;
  std::string in = "subject";
  bool json = false;
};

int RunSearch(const SearchOptions& options) {
  const Field* field = nullptr;
  for (const Field& candidate : kFields) {
    if (options.in == candidate.name) field = &candidate;
  }
  if (options.text.empty() || options.text.size() > field->term_width) {
    UsageFail("the text must be 1 to " + std::to_string(field->term_width) + " characters");
  }
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<std::string> packets = ChosenPackets(folder, options.packets);

  SearchCriteria criteria{};
  SnippetRecord snippet{};
  oldvek::SearchRequest request;
  request.mode = oldvek::kModeTermsMatch;
  request.first = 1;
  request.last = static_cast<int64_t>(packets.size());
  request.folder = folder;
  nlohmann::json matches = nlohmann::json::array();
  CommandLineSearch caller(folder, packets, *field, options.text, options.json ? &matches : nullptr);
  const oldvek::SearchOutcome outcome = oldvek::SearchPackets(Files(), request, criteria, snippet, caller);
  Must(outcome.status);
  if (options.json) {
    PrintJson({{"text", Text(options.text)}, {"in", options.in}, {"matches", std::move(matches)}});
  } else {
    std::fprintf(stderr, "%d match%s\n", outcome.matches, outcome.matches == 1 ? "" : "es");
  }
  return outcome.matches > 0 ? kDone : kNothingFound;
}

}  // namespace

void AddSearchCommand(CLI::App& app) {
  auto options = std::make_shared<SearchOptions>();
  CLI::App* command = app.add_subcommand(
      "search", "print the entries of the snippets whose field holds TEXT (any letter case); exit 1 when none");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("TEXT", options->text, "what to look for")->required();
  command->add_option("PACKET", options->packets, "packet names; every packet of FOLDER when none");
  command->add_option("--in", options->in, "the field searched")
      ->check(CLI::IsMember({"subject", "author", "origin", "code"}))
      ->capture_default_str();
  AddJson(*command, options->json);
  SetAction(*command, [options] { return RunSearch(*options); });
}

}  // namespace vek
