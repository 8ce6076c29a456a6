#ifndef OLDVEK_PACKETS_SEARCH_H_
#define OLDVEK_PACKETS_SEARCH_H_

// The packet search: every snippet of a range of the caller's packets is lent to the
// caller's criteria callback, and the entries of those that pass (search_decision.h) are
// collected in packet order and, within a packet, in index order. It knows no window: the
// caller hears of each packet through PacketStarted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "oldvek_records.h"
#include "packets/search_decision.h"
#include "platform/file.h"

namespace oldvek {

struct SearchRequest {
  int32_t mode = 0;
  int64_t first = 1;  // packet list indices, both included
  int64_t last = 0;
  std::string_view folder;
  std::string_view packet_choice = "ALL";  // the caller's packet choice, read in mode 2
};

struct SearchOutcome {
  int32_t matches = 0;  // stored by AddMatch
  Status status;        // what the search left out or where it stopped
};

// The caller's side of a search.
class SearchCaller : public TermTests {
 public:
  // Element `index` of the caller's packet list; nothing when the list has no such element.
  virtual std::optional<std::string> PacketEntry(int64_t index) = 0;

  // Progress: packet file `packet_file` (BASE.VEK) is about to be searched.
  virtual void PacketStarted(std::string_view packet_file) { (void)packet_file; }

  // Lends one snippet to the criteria callback, with a fresh lines list dimensioned 1 to
  // `snippet_count`, every line empty. `record_position` is where the snippet's index record
  // begins. Fails only when the lines list cannot be made.
  virtual Status ExamineSnippet(SearchCriteria& criteria, SnippetRecord& snippet, uint8_t& bits, int64_t packet_index,
                                uint64_t record_position, uint64_t snippet_count) = 0;

  // Grows the results by one element, number `match` (from 1), holding `entry`.
  virtual Status AddMatch(int32_t match, std::string_view entry) = 0;
};

// Searches packets first to last. At the end the Author switch of `criteria` is 0.
//
// A packet whose files cannot be read is left out and the search goes on; when the caller's
// lists cannot grow the search stops there. Either way the count says what was stored and
// the status says what is missing.
SearchOutcome SearchPackets(FileSystem& file_system, const SearchRequest& request, SearchCriteria& criteria,
                            SnippetRecord& snippet, SearchCaller& caller);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SEARCH_H_
