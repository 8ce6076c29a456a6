#ifndef VEKHELP_TERMINAL_FIND_LINE_H_
#define VEKHELP_TERMINAL_FIND_LINE_H_

#include <string>
#include <string_view>

namespace vekhelp {

// The terminal's search line. Like the dialog's search box it holds upper-case text only, and
// coming into it selects its whole text, so the first key typed replaces it.
class FindLine {
 public:
  explicit FindLine(std::string_view text) {
    Type(text);
    SelectAll();
  }

  void SelectAll() { selected_ = true; }
  void Type(std::string_view typed);
  void Backspace();

  const std::string& text() const { return text_; }
  bool selected() const { return selected_; }

 private:
  std::string text_;
  bool selected_ = false;
};

}  // namespace vekhelp

#endif  // VEKHELP_TERMINAL_FIND_LINE_H_
