#ifndef OLDVEK_PACKETS_SEARCH_DECISION_H_
#define OLDVEK_PACKETS_SEARCH_DECISION_H_

// Whether one snippet passes a search. The caller's criteria callback has set the criterion
// bits (bit k for criterion k) and may have written switch words and terms; the mode says how
// the library combines them:
//   mode 1: every criterion whose bit is set must be switched on (a word other than 0);
//   mode 2: one criterion is enough, switched on meaning a word greater than 0, and the packet
//           criterion only counts while the caller's packet choice is not "ALL";
//   mode 3: every criterion whose bit is set must be switched on and, for Author, Subject,
//           Origin and code text, its term must match; the packet bit is required.
// Any other mode lets no snippet pass.

#include <cstdint>
#include <string>
#include <string_view>

#include "oldvek_records.h"

namespace oldvek {

inline constexpr int32_t kModeAllSetOn = 1;
inline constexpr int32_t kModeAnyOn = 2;
inline constexpr int32_t kModeTermsMatch = 3;

// Only these modes lend snippets to the criteria callback.
inline bool IsSearchMode(int32_t mode) { return mode >= kModeAllSetOn && mode <= kModeTermsMatch; }

struct LineBounds {
  int64_t lower = 1;
  int64_t upper = 0;  // below `lower` when there are no lines
};

// What mode 3 asks of the caller: its match callback, and the code lines its criteria
// callback left (laid out as a fetched snippet: two summary lines, then the code).
class TermTests {
 public:
  virtual ~TermTests() = default;

  // True when `term` matches `text`; both are passed as stored, trailing blanks included.
  virtual bool Matches(std::string_view text, std::string_view term) = 0;
  virtual LineBounds CodeLineBounds() = 0;
  virtual std::string CodeLine(int64_t index) = 0;
};

// `packet_choice` is the caller's 32-byte packet choice, read in mode 2 only.
bool SnippetPasses(int32_t mode, uint8_t bits, const SearchCriteria& criteria, const SnippetRecord& snippet,
                   std::string_view packet_choice, TermTests& terms);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SEARCH_DECISION_H_
