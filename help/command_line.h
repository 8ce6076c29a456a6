#ifndef VEKHELP_COMMAND_LINE_H_
#define VEKHELP_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

namespace vekhelp {

// The argument text of a Windows command line: what follows the program's name (quoted up to
// its closing quote, or unquoted up to the first blank or tab) and the blanks and tabs after it.
std::string_view ArgumentText(std::string_view command_line);

// The argument text of a program started by a shell: the arguments joined by single blanks.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The header of the first topic to show: the argument text with every double quote made a
// blank and blanks trimmed from both ends, so "<INDEX>" in quotes names the topic <INDEX>.
// No argument text means "<INTRODUCTION>".
std::string FirstTopic(std::string_view argument_text);

}  // namespace vekhelp

#endif  // VEKHELP_COMMAND_LINE_H_
