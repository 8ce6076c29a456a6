#ifndef OLDVEK_TESTS_SUPPORT_TEXT_LINES_H_
#define OLDVEK_TESTS_SUPPORT_TEXT_LINES_H_

#include <string>
#include <string_view>
#include <vector>

namespace oldvek::testing {

// The lines of a text whose every line ends with CR LF. A CR or LF anywhere else, or a last
// line without its CR LF, fails the calling test.
std::vector<std::string> SplitCrLfLines(std::string_view text);

// The lines of a text file kept in the source tree with LF endings.
std::vector<std::string> SplitLfLines(std::string_view text);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_TEXT_LINES_H_
