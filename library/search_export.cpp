// OldVekSearch: the caller's packet search, with its criteria and match callbacks.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <span>

#include "abi/caller_types.h"
#include "abi/export_guard.h"
#include "base/text.h"
#include "oldvek.h"
#include "packets/search.h"
#include "packets/search_criteria.h"
#include "platform/ui.h"

namespace oldvek {
namespace {

class CallerSearch final : public SearchCaller {
 public:
  CallerSearch(HWND dialog, int32_t control, SAFEARRAY** packets, CriteriaCallback criteria, MatchCallback match,
               SAFEARRAY** results)
      : dialog_(dialog), control_(control), packets_(packets), criteria_(criteria), match_(match), results_(results) {}
  ~CallerSearch() override { abi::Erase(&lines_); }
  CallerSearch(const CallerSearch&) = delete;
  CallerSearch& operator=(const CallerSearch&) = delete;

  std::optional<std::string> PacketEntry(int64_t index) override {
    const std::optional<abi::Bounds> bounds = abi::BoundsOf(packets_);
    if (!bounds || !bounds->Contains(index)) return std::nullopt;
    return abi::ElementAt(packets_, static_cast<long>(index));
  }

  // The dialog's progress control names the packet, and one message pass runs.
  void PacketStarted(std::string_view packet_file) override {
    Ui& ui = Ui::Current();
    ui.SetControlText(dialog_, control_, std::string(kProgressLead) + std::string(packet_file));
    ui.PumpMessages(dialog_, MessagePass::kOneMessage);
  }

  Status ExamineSnippet(SearchCriteria& criteria, SnippetRecord& snippet, uint8_t& bits, int64_t packet_index,
                        uint64_t record_position, uint64_t snippet_count) override {
    // Without a callback no one is lent the list, and the search reads no line of it.
    if (criteria_ == nullptr) return Status::Ok();
    if (snippet_count > static_cast<uint64_t>(kMaxElements)) return NoLinesList(snippet_count);
    const long count = static_cast<long>(snippet_count);
    // The callback is lent a list 1 to the packet's snippet count, all empty, for every
    // snippet. One the previous callback left with those bounds is emptied in place: a pass
    // comparing its elements with zeros, where remaking it took an allocation, a zero fill and
    // a free call per element. Either way each snippet costs a pass over the whole list.
    if (!EmptyInPlace(count)) {
      abi::Erase(&lines_);
      if (!abi::ResizeList(&lines_, count)) return NoLinesList(snippet_count);
    }
    abi::LentString packet_entry(abi::ElementAt(packets_, static_cast<long>(packet_index)));
    int32_t position = static_cast<int32_t>(record_position);
    criteria_(&criteria, &snippet, &bits, packet_entry.get(), &lines_, &position);
    return Status::Ok();
  }

  bool Matches(std::string_view text, std::string_view term) override {
    if (match_ == nullptr) return false;
    abi::LentString lent_text(text);
    abi::LentString lent_term(term);
    return match_(lent_text.get(), lent_term.get()) != 0;
  }

  LineBounds CodeLineBounds() override {
    const std::optional<abi::Bounds> bounds = abi::BoundsOf(&lines_);
    if (!bounds) return {};
    return {bounds->lower, bounds->upper};
  }

  std::string CodeLine(int64_t index) override { return abi::ElementAt(&lines_, static_cast<long>(index)); }

  Status AddMatch(int32_t match, std::string_view entry) override {
    if (!abi::ResizeList(results_, match) || !abi::PutElement(*results_, match, entry)) {
      return Status::Error("the results list cannot grow to " + DecimalText(static_cast<uint64_t>(match)) +
                           " elements");
    }
    return Status::Ok();
  }

 private:
  static constexpr long kMaxElements = 0x7FFFFFFF;
  static constexpr std::string_view kProgressLead = "SEARCHING:\r\n";

  static Status NoLinesList(uint64_t count) {
    return Status::Error("no memory for a lines list of " + DecimalText(count) + " elements");
  }

  // Frees whatever strings the lines list holds when it is a string list 1 to `count`; false
  // (nothing touched) when it is erased or shaped otherwise.
  bool EmptyInPlace(long count) {
    const std::optional<abi::Bounds> bounds = abi::BoundsOf(&lines_);
    if (!bounds || bounds->lower != 1 || bounds->upper != count) return false;
    const std::span<BSTR> strings = abi::StringsInPlace(&lines_);
    if (strings.empty()) return false;
    // Most callbacks write nothing: compare a block at a time with zeros, and free only in a
    // block that holds strings.
    static constexpr BSTR kNoStrings[1024] = {};
    for (long from = 0; from < count; from += std::size(kNoStrings)) {
      const long size = std::min<long>(std::size(kNoStrings), count - from);
      if (std::memcmp(strings.data() + from, kNoStrings, size * sizeof(BSTR)) == 0) continue;
      for (long i = from; i < from + size; ++i) {
        SysFreeString(strings[i]);
        strings[i] = nullptr;
      }
    }
    return true;
  }

  HWND dialog_;
  int32_t control_;
  SAFEARRAY** packets_;
  CriteriaCallback criteria_;
  MatchCallback match_;
  SAFEARRAY** results_;
  SAFEARRAY* lines_ = nullptr;  // the library's lines list, lent to the criteria callback
};

}  // namespace
}  // namespace oldvek

extern "C" OLDVEK_EXPORT void VEKAPI OldVekSearch(HWND dialog, int32_t control, int32_t mode, int32_t first,
                                                  int32_t last, SAFEARRAY** packets, BSTR* folder,
                                                  SnippetRecord* snippet, CriteriaCallback* criteria,
                                                  MatchCallback* match, SAFEARRAY** results,
                                                  SearchState* state) noexcept try {
  using namespace oldvek;
  // Indices outside the caller's list name no packet; leaving them out also keeps a wild
  // range from costing billions of empty turns.
  const std::optional<abi::Bounds> bounds = abi::BoundsOf(packets);
  SearchRequest request;
  request.mode = mode;
  request.first = bounds ? std::max<int64_t>(first, bounds->lower) : 1;
  request.last = bounds ? std::min<int64_t>(last, bounds->upper) : 0;
  const std::string folder_text = abi::ToString(folder);
  request.folder = folder_text;
  const SearchState no_state{};  // a missing state reads as a choice of 32 zero bytes
  const SearchState& chosen = state != nullptr ? *state : no_state;
  request.packet_choice = std::string_view(chosen.PacketChoice, sizeof chosen.PacketChoice);

  SnippetRecord spare_snippet{};
  CallerSearch caller(dialog, control, packets, criteria != nullptr ? *criteria : nullptr,
                      match != nullptr ? *match : nullptr, results);
  const SearchOutcome searched = SearchPackets(FileSystem::Default(), request, ProcessSearchCriteria(),
                                               snippet != nullptr ? *snippet : spare_snippet, caller);
  if (state != nullptr) state->MatchCount = searched.matches;
  Ui::Current().EndDialog(dialog, 0);
  if (!searched.status.ok()) ShowError(searched.status.message());
} catch (...) {
  oldvek::ReportUncaught("The search could not finish");
}
