#include "terminal/screen_layout.h"

#include <algorithm>
#include <string_view>

namespace vekhelp {

ScreenLayout LayOutScreen(int columns, int rows) {
  ScreenLayout layout;
  layout.fits = columns >= kMinimumColumns && rows >= kMinimumRows;
  if (!layout.fits) return layout;
  constexpr int kContents = 75, kText = 215, kSeeAlso = 65, kTotal = kContents + kText + kSeeAlso;
  const int separators = 2;
  layout.contents = {0, std::max(10, columns * kContents / kTotal)};
  layout.see_also.width = std::max(10, columns * kSeeAlso / kTotal);
  layout.see_also.x = columns - layout.see_also.width;
  layout.text = {layout.contents.width + 1, columns - layout.contents.width - layout.see_also.width - separators};
  layout.find_field = {7, std::min(40, columns - 8)};  // after "Find : "
  layout.area_rows = rows - layout.area_top - 1;
  layout.help_row = rows - 1;
  return layout;
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, size_t width) {
  std::vector<std::string> wrapped;
  if (width == 0) return wrapped;
  for (std::string_view rest : lines) {
    while (rest.size() > width) {
      const size_t blank = rest.rfind(' ', width);
      const bool at_blank = blank != std::string_view::npos && blank > 0;
      const size_t cut = at_blank ? blank : width;
      wrapped.emplace_back(rest.substr(0, cut));
      rest.remove_prefix(at_blank ? cut + 1 : cut);
    }
    wrapped.emplace_back(rest);
  }
  return wrapped;
}

size_t ScrollToShow(size_t top, size_t selected, size_t rows) {
  if (rows == 0 || selected < top) return selected;
  if (selected >= top + rows) return selected - rows + 1;
  return top;
}

}  // namespace vekhelp
