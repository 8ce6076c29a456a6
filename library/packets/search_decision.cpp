#include "packets/search_decision.h"

#include <algorithm>

#include "base/text.h"
#include "packets/search_criteria.h"

namespace oldvek {
namespace {

// Code begins at line 3: lines 1 and 2 are the summary lines of a fetched snippet.
constexpr int64_t kFirstCodeLine = 3;

bool IsSet(uint8_t bits, int criterion) { return ((bits >> criterion) & 1) != 0; }

bool AllSetAreOn(uint8_t bits, const SearchCriteria& criteria) {
  for (int k = 0; k < kCriterionCount; ++k) {
    if (IsSet(bits, k) && SwitchWord(criteria, k) == 0) return false;
  }
  return true;
}

bool AnyIsOn(uint8_t bits, const SearchCriteria& criteria, std::string_view packet_choice) {
  if (IsSet(bits, kPacketCriterion) && SwitchWord(criteria, kPacketCriterion) > 0 &&
      TrimTrailingBlanks(packet_choice) != "ALL") {
    return true;
  }
  for (int k = kAuthorCriterion; k < kCriterionCount; ++k) {
    if (IsSet(bits, k) && SwitchWord(criteria, k) > 0) return true;
  }
  return false;
}

bool AnyCodeLineMatches(std::string_view term, TermTests& terms) {
  const LineBounds bounds = terms.CodeLineBounds();
  for (int64_t k = std::max(kFirstCodeLine, bounds.lower); k <= bounds.upper; ++k) {
    if (terms.Matches(terms.CodeLine(k), term)) return true;
  }
  return false;
}

template <size_t kWidth>
std::string_view Stored(const char (&field)[kWidth]) {
  return {field, kWidth};
}

bool AllSetMatch(uint8_t bits, const SearchCriteria& criteria, const SnippetRecord& snippet, TermTests& terms) {
  // Each criterion that fails rejects at once, so the passed bits can only differ from the
  // criterion bits by the packet bit (always passed) and bits 6 and 7 (never passed).
  uint8_t passed = 0;
  auto pass = [&passed](int criterion) { passed = static_cast<uint8_t>(passed | (1u << criterion)); };

  if (IsSet(bits, kPacketCriterion) && SwitchWord(criteria, kPacketCriterion) == 0) return false;
  pass(kPacketCriterion);

  const struct {
    int criterion;
    std::string_view text;
    std::string_view term;
  } field_tests[] = {
      {kAuthorCriterion, Stored(snippet.Author), Stored(criteria.AuthorTerm)},
      {kSubjectCriterion, Stored(snippet.Subject), Stored(criteria.SubjectTerm)},
      {kOriginCriterion, Stored(snippet.Origin), Stored(criteria.OriginTerm)},
  };
  for (const auto& test : field_tests) {
    if (!IsSet(bits, test.criterion)) continue;
    if (SwitchWord(criteria, test.criterion) == 0 || !terms.Matches(test.text, test.term)) return false;
    pass(test.criterion);
  }

  if (IsSet(bits, kCriterion4)) {
    if (SwitchWord(criteria, kCriterion4) == 0) return false;
    pass(kCriterion4);
  }

  if (IsSet(bits, kCodeTextCriterion)) {
    if (SwitchWord(criteria, kCodeTextCriterion) == 0) return false;
    if (!AnyCodeLineMatches(Stored(criteria.CodeTextTerm), terms)) return false;
    pass(kCodeTextCriterion);
  }
  return passed == bits;
}

}  // namespace

bool SnippetPasses(int32_t mode, uint8_t bits, const SearchCriteria& criteria, const SnippetRecord& snippet,
                   std::string_view packet_choice, TermTests& terms) {
  switch (mode) {
    case kModeAllSetOn: return AllSetAreOn(bits, criteria);
    case kModeAnyOn: return AnyIsOn(bits, criteria, packet_choice);
    case kModeTermsMatch: return AllSetMatch(bits, criteria, snippet, terms);
    default: return false;
  }
}

}  // namespace oldvek
