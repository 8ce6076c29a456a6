#include "topic_loader.h"

#include <optional>

#include "see_also.h"

namespace vekhelp {

bool LoadTopic(const HelpFile& file, std::string_view header, HelpLists& lists, bool& see_also_found) {
  // Gathered apart and taken over only when the whole read went well.
  bool in_topic = false;
  std::vector<std::string> topic_lines;
  std::optional<std::vector<std::string>> see_also;
  const bool read = file.ReadLines([&](const std::string& line) {
    if (!in_topic) {
      if (line != header) return true;
      in_topic = true;
      topic_lines.push_back(line);
    } else if (IsEndMarker(line)) {
      return false;
    } else if (IsSeeAlsoLine(line)) {
      see_also = ParseSeeAlsoLine(line);
    } else {
      topic_lines.push_back(line);
    }
    return true;
  });
  if (!read || !in_topic) return false;
  lists.topic_lines = std::move(topic_lines);
  if (see_also) {
    lists.see_also_entries = std::move(*see_also);
    see_also_found = true;
  }
  return true;
}

bool LoadWholeFile(const HelpFile& file, HelpLists& lists) {
  std::vector<std::string> lines;
  if (!file.ReadLines([&](const std::string& line) {
        lines.push_back(line);
        return true;
      })) {
    return false;
  }
  lists.topic_lines = std::move(lines);
  return true;
}

}  // namespace vekhelp
