#include "topic_text.h"

#include "help_lists.h"

namespace vekhelp {

std::string HeaderCaption(std::string_view line) {
  constexpr size_t kIndent = 30;
  std::string_view name;
  const size_t open = line.find('<');
  if (open != std::string_view::npos) {
    const std::string_view rest = line.substr(open + 1);
    name = rest.substr(0, rest.find('>'));
    const size_t last = line.rfind('>');
    if (name.empty() && last != std::string_view::npos && last > open) name = line.substr(open + 1, last - open - 1);
  }
  return std::string(kIndent, ' ') + std::string(name);
}

std::string TopicText(const std::vector<std::string>& topic_lines) {
  std::string text;
  for (const std::string& line : topic_lines) {
    text += HoldsHeaderMark(line) ? HeaderCaption(line) : line;
    text += "\r\n";
  }
  return text;
}

std::optional<size_t> ContentsSelection(const std::vector<std::string>& topic_lines,
                                        const std::vector<std::string>& contents_entries) {
  std::optional<size_t> selection;
  for (const std::string& line : topic_lines) {
    if (!HoldsHeaderMark(line)) continue;
    for (size_t i = 0; i < contents_entries.size(); ++i) {
      if (line.find(contents_entries[i]) != std::string::npos) {
        selection = i;
        break;
      }
    }
  }
  return selection;
}

}  // namespace vekhelp
