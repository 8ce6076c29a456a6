#include "help_search.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "topic_loader.h"

namespace vekhelp {
namespace {

bool HoldsUpperCased(std::string_view line, std::string_view upper_text) {
  return AsciiUpperCase(line).find(upper_text) != std::string::npos;
}

// Drops the results of an earlier search (the first entry holding "<" and all after it) and
// the empty slot a double-click leaves, keeping the current topic's own entries.
void DropEarlierResults(std::vector<std::string>& entries) {
  entries.erase(std::find_if(entries.begin(), entries.end(), [](const std::string& e) { return HoldsHeaderMark(e); }),
                entries.end());
  std::erase_if(entries, [](const std::string& entry) { return entry.empty(); });
}

}  // namespace

size_t SearchHelp(const HelpFile& file, std::string_view upper_text, HelpLists& lists) {
  DropEarlierResults(lists.see_also_entries);
  if (!LoadWholeFile(file, lists)) return 0;
  const std::vector<std::string>& all = lists.topic_lines;
  const auto contents_end = std::find(all.begin(), all.end(), kEndMarker);
  if (contents_end == all.end()) return 0;

  // The searched lines are numbered from 1, the contents' "<END>" being line 1. marks holds
  // the line number of every topic header in order, and then k, the last line, as a bound.
  const std::span<const std::string> lines(contents_end, all.end());
  const size_t k = lines.size();
  const auto line = [&](size_t number) -> const std::string& { return lines[number - 1]; };
  std::vector<size_t> marks;
  for (size_t i = 1; i <= k; ++i) {
    if (HoldsHeaderMark(line(i)) && !IsEndMarker(line(i))) marks.push_back(i);
  }
  marks.push_back(k);

  std::vector<std::string> results;
  size_t i = 1;
  while (i <= k) {
    if (IsEndMarker(line(i)) || !HoldsUpperCased(line(i), upper_text)) {
      ++i;
      continue;
    }
    // The first mark after the hit closes its topic; the mark before that one is its header.
    // A hit on the last line has no closing mark and is not reported.
    const auto closing = std::upper_bound(marks.begin() + 1, marks.end(), i);
    if (closing == marks.end()) {
      ++i;
      continue;
    }
    results.push_back(line(*(closing - 1)));
    i = *closing + 1;  // each topic once; the next header line is not searched itself
  }
  lists.see_also_entries.insert(lists.see_also_entries.end(), results.begin(), results.end());
  return results.size();
}

}  // namespace vekhelp
