#ifndef VEKHELP_TERMINAL_SCREEN_LAYOUT_H_
#define VEKHELP_TERMINAL_SCREEN_LAYOUT_H_

#include <cstddef>
#include <string>
#include <vector>

namespace vekhelp {

// A column of the terminal screen.
struct Column {
  int x = 0;
  int width = 0;
};

// Where the areas go: the search line on the top row, the headings below it, the three areas
// side by side, then the status line and the key help on the last two rows. The contents list
// is as wide as its longest entry, up to a quarter of the screen; the see-also list, whose
// entries change with every search, takes a fifth so that nothing moves; the topic text takes
// the rest.
struct ScreenLayout {
  bool fits = false;  // false when the screen is too small to draw anything useful
  Column find_field;
  Column contents;
  Column text;
  Column see_also;
  int area_top = 2;
  int area_rows = 0;
  int status_row = 0;
  int help_row = 0;
};

inline constexpr int kMinimumColumns = 40;
inline constexpr int kMinimumRows = 8;

ScreenLayout LayOutScreen(int columns, int rows, size_t longest_contents_entry);

// Breaks lines longer than `width` at their last blank that fits (the blank is dropped), or
// at `width` when a word alone is longer. Empty lines stay. The rows after the first are
// indented like the line, past a list mark ("- ", "* ", "12. ") when it starts with one, as
// long as that leaves at least half the width. An indented line whose text fits a row is
// moved left instead of wrapped.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, size_t width);

// The first row to show of a list of which entry `selected` must be visible in `rows` rows,
// moving as little as possible from `top`.
size_t ScrollToShow(size_t top, size_t selected, size_t rows);

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_SCREEN_LAYOUT_H_
