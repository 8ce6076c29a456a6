#ifndef OLDVEK_TOOLS_VEK_BROWSE_BASIC_HIGHLIGHT_H_
#define OLDVEK_TOOLS_VEK_BROWSE_BASIC_HIGHLIGHT_H_

// The parts of a BASIC code line that the reader colours. The dialects of the archive
// (QuickBASIC, PDS, PowerBASIC, Visual Basic) share these rules: a line may start with a line
// number, strings run between double quotes (to the end of the line when unclosed), and REM
// or an apostrophe makes the rest of the line a comment.

#include <cstddef>
#include <string_view>
#include <vector>

namespace vek {

enum class Token { kPlain, kLineNumber, kKeyword, kString, kComment, kNumber };

// A run of bytes of one kind; runs of kPlain are not listed.
struct TokenRun {
  size_t begin;
  size_t length;
  Token token;
  bool operator==(const TokenRun&) const = default;
};

std::vector<TokenRun> HighlightBasic(std::string_view line);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_BASIC_HIGHLIGHT_H_
