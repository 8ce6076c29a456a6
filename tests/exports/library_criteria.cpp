#include "library_criteria.h"

#include <stdexcept>

#include "caller_values.h"
#include "packet_writer.h"
#include "temp_folder.h"

namespace oldvek::testing {
namespace {

SearchCriteria* g_lent = nullptr;

int32_t VEKAPI KeepLent(SearchCriteria* criteria, SnippetRecord*, uint8_t*, BSTR*, SAFEARRAY**, int32_t*) {
  g_lent = criteria;
  return 0;
}

int32_t VEKAPI MatchNothing(BSTR*, BSTR*) { return 0; }

}  // namespace

SearchCriteria* LibraryCriteria() {
  if (g_lent != nullptr) return g_lent;
  TempFolder folder;
  WritePacket(folder.path(), "GREET", BuildPacket({SampleSnippet("Print a greeting", {"PRINT \"HELLO\""})}));
  StringArray packets({"GREET"});
  Bstr folder_text(folder.path());
  SnippetRecord record{};
  CriteriaCallback criteria = &KeepLent;
  MatchCallback match = &MatchNothing;
  StringArray results;
  SearchState state{};
  OldVekSearch(nullptr, 1, 1, 1, 1, packets.get(), folder_text.get(), &record, &criteria, &match, results.get(),
               &state);
  if (g_lent == nullptr) throw std::runtime_error("the search lent no SearchCriteria");
  return g_lent;
}

}  // namespace oldvek::testing
