#include "terminal/find_line.h"

#include "ascii_text.h"

namespace vekhelp {

void FindLine::Type(std::string_view typed) {
  if (selected_) text_.clear();
  selected_ = false;
  text_ += AsciiUpperCase(typed);
}

void FindLine::Backspace() {
  if (selected_) {
    text_.clear();
  } else if (!text_.empty()) {
    text_.pop_back();
  }
  selected_ = false;
}

}  // namespace vekhelp
