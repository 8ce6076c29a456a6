#include "terminal/find_line.h"

namespace vekhelp {

void FindLine::Type(std::string_view typed) {
  if (selected_) text_.clear();
  selected_ = false;
  for (char c : typed) text_ += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
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
