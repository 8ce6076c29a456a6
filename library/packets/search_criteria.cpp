#include "packets/search_criteria.h"

namespace oldvek {
namespace {

// Static storage: zero before any code of the library runs.
constinit SearchCriteria g_search_criteria{};

}  // namespace

SearchCriteria& ProcessSearchCriteria() { return g_search_criteria; }

int32_t SwitchWord(const SearchCriteria& criteria, int criterion) {
  switch (criterion) {
    case kPacketCriterion: return criteria.PacketSwitch;
    case kAuthorCriterion: return criteria.AuthorSwitch;
    case kSubjectCriterion: return criteria.SubjectSwitch;
    case kOriginCriterion: return criteria.OriginSwitch;
    case kCriterion4: return criteria.Criterion4Switch;
    case kCodeTextCriterion: return criteria.CodeTextSwitch;
    default: return 0;
  }
}

}  // namespace oldvek
