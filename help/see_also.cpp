#include "see_also.h"

namespace vekhelp {

std::vector<std::string> ParseSeeAlsoLine(std::string_view line) {
  std::vector<std::string> entries;
  for (size_t close; (close = line.find(']')) != std::string_view::npos; line.remove_prefix(close + 1)) {
    const std::string_view before = line.substr(0, close);
    entries.emplace_back(before.empty() ? before : before.substr(1));
  }
  return entries;
}

}  // namespace vekhelp
