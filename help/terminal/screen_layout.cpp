#include "terminal/screen_layout.h"

#include <algorithm>
#include <string_view>

namespace vekhelp {

namespace {

constexpr int kNarrowestList = 10;

// Where the rows after the first of a wrapped line start: under the line's text, past a list
// mark when it starts with one.
size_t HangingIndent(std::string_view line) {
  size_t at = std::min(line.find_first_not_of(' '), line.size());
  if (line.substr(at).starts_with("- ") || line.substr(at).starts_with("* ")) return at + 2;
  const size_t digits_end = std::min(line.find_first_not_of("0123456789", at), line.size());
  if (digits_end > at && line.substr(digits_end).starts_with(". ")) return digits_end + 2;
  return at;
}

}  // namespace

ScreenLayout LayOutScreen(int columns, int rows, size_t longest_contents_entry) {
  ScreenLayout layout;
  layout.fits = columns >= kMinimumColumns && rows >= kMinimumRows;
  if (!layout.fits) return layout;
  const int separators = 2;
  const auto longest = static_cast<int>(std::min<size_t>(longest_contents_entry, static_cast<size_t>(columns)));
  layout.contents = {0, std::clamp(longest, kNarrowestList, std::max(kNarrowestList, columns / 4))};
  layout.see_also.width = std::max(kNarrowestList, columns / 5);
  layout.see_also.x = columns - layout.see_also.width;
  layout.text = {layout.contents.width + 1, columns - layout.contents.width - layout.see_also.width - separators};
  layout.find_field = {7, std::min(40, columns - 8)};  // after "Find : "
  layout.help_row = rows - 1;
  layout.status_row = rows - 2;
  layout.area_rows = layout.status_row - layout.area_top;
  return layout;
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, size_t width) {
  std::vector<std::string> wrapped;
  if (width == 0) return wrapped;
  for (const std::string& line : lines) {
    const size_t text_start = std::min(line.find_first_not_of(' '), line.size());
    if (line.size() > width && line.size() - text_start <= width) {
      // An indented line, a topic's caption among them, moves left just enough to fit whole.
      wrapped.push_back(std::string(width - (line.size() - text_start), ' ') + line.substr(text_start));
      continue;
    }
    const size_t hang = HangingIndent(line);
    const std::string indent(hang <= width / 2 ? hang : 0, ' ');
    std::string_view rest = line;
    size_t room = width;
    std::string prefix;
    while (rest.size() > room) {
      const size_t blank = rest.rfind(' ', room);
      const bool at_blank = blank != std::string_view::npos && blank > 0;
      const size_t cut = at_blank ? blank : room;
      wrapped.push_back(prefix + std::string(rest.substr(0, cut)));
      rest.remove_prefix(at_blank ? cut + 1 : cut);
      prefix = indent;
      room = width - indent.size();
    }
    wrapped.push_back(prefix + std::string(rest));
  }
  return wrapped;
}

size_t ScrollToShow(size_t top, size_t selected, size_t rows) {
  if (rows == 0 || selected < top) return selected;
  if (selected >= top + rows) return selected - rows + 1;
  return top;
}

}  // namespace vekhelp
