#include "browse/browse_layout.h"

#include <algorithm>

namespace vek {

BrowseLayout LayOutBrowser(int columns, int rows, size_t longest_packet_row) {
  BrowseLayout layout;
  layout.fits = columns >= kMinimumColumns && rows >= kMinimumRows;
  if (!layout.fits) return layout;
  layout.status_row = rows - 1;
  const int longest = static_cast<int>(std::min<size_t>(longest_packet_row, static_cast<size_t>(columns)));
  const int left = std::clamp(longest, 8, std::max(8, columns / 4));
  layout.packets = {0, left, 0, 1, layout.status_row - 1};
  const int right = left + 1;
  const int list_rows = std::max(2, (layout.status_row - 2) * 2 / 5);
  layout.snippets = {right, columns - right, 0, 1, list_rows};
  const int text_title = 1 + list_rows;
  layout.text = {right, columns - right, text_title, text_title + 1, layout.status_row - text_title - 1};
  return layout;
}

}  // namespace vek
