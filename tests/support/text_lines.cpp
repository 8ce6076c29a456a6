#include "text_lines.h"

#include <gtest/gtest.h>

namespace oldvek::testing {
namespace {

std::vector<std::string> Split(std::string_view text, std::string_view end) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t at = text.find(end, start);
    if (at == std::string_view::npos) {
      ADD_FAILURE() << "the last line has no line end: " << text.substr(start);
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, at - start));
    start = at + end.size();
  }
  return lines;
}

}  // namespace

std::vector<std::string> SplitCrLfLines(std::string_view text) {
  std::vector<std::string> lines = Split(text, "\r\n");
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find_first_of("\r\n") != std::string::npos) ADD_FAILURE() << "a stray CR or LF in line " << i + 1;
  }
  return lines;
}

std::vector<std::string> SplitLfLines(std::string_view text) { return Split(text, "\n"); }

}  // namespace oldvek::testing
