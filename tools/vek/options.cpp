#include "options.h"

namespace vek {

std::optional<std::string> ParsedArguments::Option(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

std::optional<ParsedArguments> ParseArguments(const Arguments& arguments, const std::set<std::string>& known,
                                              std::string& error) {
  ParsedArguments parsed;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.rfind("--", 0) != 0) {
      parsed.positional.push_back(argument);
      continue;
    }
    const std::string name = argument.substr(2);
    if (known.count(name) == 0) {
      error = "unknown option " + argument;
      return std::nullopt;
    }
    if (i + 1 == arguments.size()) {
      error = "option " + argument + " needs a value";
      return std::nullopt;
    }
    parsed.options[name] = arguments[++i];
  }
  return parsed;
}

}  // namespace vek
