#include "command_line.h"

#include <algorithm>

#include "help_lists.h"

namespace vekhelp {

std::string_view ArgumentText(std::string_view command_line) {
  size_t end;
  if (command_line.starts_with('"')) {
    end = command_line.find('"', 1);
    end = end == std::string_view::npos ? command_line.size() : end + 1;
  } else {
    end = std::min(command_line.find_first_of(" \t"), command_line.size());
  }
  const std::string_view rest = command_line.substr(end);
  return rest.substr(std::min(rest.find_first_not_of(" \t"), rest.size()));
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) {
    if (!text.empty()) text += ' ';
    text += argument;
  }
  return text;
}

std::string FirstTopic(std::string_view argument_text) {
  std::string header(argument_text);
  std::replace(header.begin(), header.end(), '"', ' ');
  const size_t first = header.find_first_not_of(' ');
  if (first == std::string::npos) return std::string(kIntroductionHeader);
  return header.substr(first, header.find_last_not_of(' ') - first + 1);
}

}  // namespace vekhelp
