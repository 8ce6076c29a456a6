#ifndef OLDVEK_PACKETS_SEARCH_CRITERIA_H_
#define OLDVEK_PACKETS_SEARCH_CRITERIA_H_

// The search record the library keeps for the whole process. The search lends it to the
// caller's criteria callback, and the encoder's dialog keeps its choices in it too, so both
// reach the same instance through here.

#include <cstdint>

#include "oldvek_records.h"

namespace oldvek {

// The one SearchCriteria of the process: every byte 0 when the library is loaded, and kept
// from one call to the next.
SearchCriteria& ProcessSearchCriteria();

// The criteria a snippet is searched by, numbered as the criterion bits number them.
enum Criterion : int {
  kPacketCriterion = 0,
  kAuthorCriterion = 1,
  kSubjectCriterion = 2,
  kOriginCriterion = 3,
  kCriterion4 = 4,
  kCodeTextCriterion = 5,
};
inline constexpr int kCriterionCount = 6;

// The switch word of `criterion` (the words are not stored in criterion order).
int32_t SwitchWord(const SearchCriteria& criteria, int criterion);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SEARCH_CRITERIA_H_
