#include "packets/search.h"

#include <limits>
#include <memory>
#include <vector>

#include "base/text.h"
#include "packets/formats.h"
#include "packets/index_builder.h"
#include "packets/index_reader.h"
#include "packets/packet_files.h"
#include "packets/packet_lock.h"
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
    caller_.PacketStarted(std::string(PacketBaseName(*entry)) + std::string(kPacketExtension));

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
  // The packet is held as a reader across the listing and the second reading below, so both
  // see one generation of the packet (the listing's own hold goes with this one).
  OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system_, request_.folder, base, PacketAccess::kRead));
  OLDVEK_ASSIGN_OR_RETURN(std::vector<std::string> entries, BuildSnippetList(file_system_, request_.folder, base));
  // The index is read a second time, for the records that locate the headers.
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> index,
      OpenForReading(file_system_, PacketPath(request_.folder, base, kIndexExtension), kSharedPacketOpen));
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> packet,
      OpenForReading(file_system_, PacketPath(request_.folder, base, kPacketExtension), kSharedPacketOpen));

  const uint64_t count = entries.size();
  IndexReader records(*index, count);
  IndexRecord record;
  SnippetHeader header;
  for (uint64_t i = 1; i <= count; ++i) {
    const uint64_t record_position = RecordPosition(i);
    OLDVEK_RETURN_IF_ERROR(records.Read(i, record));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(*packet, record.start(), header.bytes()));
    CopyHeaderFields(header, snippet_);
    if (!IsSearchMode(request_.mode)) continue;

    uint8_t bits = 0;
    Status examined = caller_.ExamineSnippet(criteria_, snippet_, bits, packet_index, record_position, count);
    if (!examined.ok()) return Stop(examined);
    if (!SnippetPasses(request_.mode, bits, criteria_, snippet_, request_.packet_choice, caller_)) continue;
    if (matches_ == std::numeric_limits<int32_t>::max()) return Stop(Status::Error("the match count is full"));
    // What is handed to the caller is of one generation while no editor has begun.
    OLDVEK_RETURN_IF_ERROR(lock.Steady(file_system_));
    Status added = caller_.AddMatch(matches_ + 1, entries[i - 1]);
    if (!added.ok()) return Stop(added);
    ++matches_;
  }
  return Status::Ok();
}

}  // namespace

SearchOutcome SearchPackets(FileSystem& file_system, const SearchRequest& request, SearchCriteria& criteria,
                            SnippetRecord& snippet, SearchCaller& caller) {
  return PacketSearch(file_system, request, criteria, snippet, caller).Run();
}

}  // namespace oldvek
