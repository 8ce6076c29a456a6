#include "packets/search.h"

#include <limits>

#include "base/text.h"
#include "packets/formats.h"
#include "packets/packet_files.h"
#include "packets/packet_scan.h"
#include "packets/snippet_entry.h"
#include "packets/snippet_record.h"

namespace oldvek {
namespace {

class PacketSearch {
 public:
  PacketSearch(FileSystem& file_system, const SearchRequest& request, SearchCriteria& criteria, SnippetRecord& snippet,
               SearchCaller& caller)
      : file_system_(file_system), request_(request), criteria_(criteria), snippet_(snippet), caller_(caller) {}

  SearchOutcome Run();

 private:
  Status SearchPacket(int64_t packet_index, const PacketName& base);
  // Records why the search cannot go on.
  Status Stop(const Status& why) {
    stopped_ = true;
    return why;
  }

  FileSystem& file_system_;
  const SearchRequest& request_;
  SearchCriteria& criteria_;
  SnippetRecord& snippet_;
  SearchCaller& caller_;
  int32_t matches_ = 0;
  bool stopped_ = false;
};

SearchOutcome PacketSearch::Run() {
  int64_t left_out = 0;
  Status first_left_out;
  Status stop;
  for (int64_t j = request_.first; j <= request_.last && !stopped_; ++j) {
    const std::optional<std::string> entry = caller_.PacketEntry(j);
    if (!entry) continue;  // not a packet of the caller's list: nothing to name or open
    caller_.PacketStarted(PacketFileName("", PacketBaseName(*entry), PacketFileKind::kPacket));

    const Result<PacketName> name = PacketOfEntry(*entry);
    Status searched = name.ok() ? SearchPacket(j, *name) : name.status();
    if (searched.ok()) continue;
    if (stopped_) {
      stop = searched;
    } else if (left_out++ == 0) {
      first_left_out = searched;
    }
  }

  criteria_.AuthorSwitch = 0;

  std::string problem;
  if (left_out > 0) {
    problem = "The search left out " + (left_out == 1 ? std::string("a packet") : DecimalText(left_out) + " packets") +
              " that could not be read (" + first_left_out.message() + ").";
  }
  if (!stop.ok()) {
    if (!problem.empty()) problem += ' ';
    problem += "The search stopped after " + DecimalText(static_cast<uint64_t>(matches_)) + " matches (" +
               stop.message() + ").";
  }
  return {matches_, problem.empty() ? Status::Ok() : Status::Error(problem)};
}

Status PacketSearch::SearchPacket(int64_t packet_index, const PacketName& base) {
  // One pass: the records, the headers and the entries handed out are all of one generation.
  // As the caller's list names it, a packet whose files are missing is made empty.
  const auto examine = [&](const ScannedSnippet& scanned) -> Status {
    CopyHeaderFields(scanned.header, snippet_);
    if (!IsSearchMode(request_.mode)) return Status::Ok();
    uint8_t bits = 0;
    Status examined =
        caller_.ExamineSnippet(criteria_, snippet_, bits, packet_index, RecordPosition(scanned.number), scanned.count);
    if (!examined.ok()) return Stop(examined);
    if (!SnippetPasses(request_.mode, bits, criteria_, snippet_, request_.packet_choice, caller_)) return Status::Ok();
    if (matches_ == std::numeric_limits<int32_t>::max()) return Stop(Status::Error("the match count is full"));
    Status added = caller_.AddMatch(matches_ + 1, MakeSnippetEntry(scanned.number, scanned.header, base));
    if (!added.ok()) return Stop(added);
    ++matches_;
    return Status::Ok();
  };
  return ScanPacket(file_system_, request_.folder, base, {}, examine, ScanOptions{.open = PacketOpen::kList});
}

}  // namespace

SearchOutcome SearchPackets(FileSystem& file_system, const SearchRequest& request, SearchCriteria& criteria,
                            SnippetRecord& snippet, SearchCaller& caller) {
  return PacketSearch(file_system, request, criteria, snippet, caller).Run();
}

}  // namespace oldvek
