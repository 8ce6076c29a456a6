#ifndef OLDVEK_TOOLS_VEK_BROWSE_BROWSE_LAYOUT_H_
#define OLDVEK_TOOLS_VEK_BROWSE_BROWSE_LAYOUT_H_

#include <cstddef>

namespace vek {

// A pane: its title row, then `rows` rows of entries from `top`, `width` columns from `x`.
struct PaneBox {
  int x = 0;
  int width = 0;
  int title_row = 0;
  int top = 0;
  int rows = 0;
};

// The packets down the left, as wide as their rows up to a quarter of the screen; on the
// right the snippet list above the text, which takes three fifths of the rows; the status
// line at the bottom. A vertical bar stands between the left and the right.
struct BrowseLayout {
  bool fits = false;  // false below kMinimumColumns x kMinimumRows: nothing but a request to grow
  PaneBox packets;
  PaneBox snippets;
  PaneBox text;
  int status_row = 0;
};

inline constexpr int kMinimumColumns = 30;
inline constexpr int kMinimumRows = 8;

BrowseLayout LayOutBrowser(int columns, int rows, size_t longest_packet_row);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_BROWSE_LAYOUT_H_
