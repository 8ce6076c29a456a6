#include "cli_outline.h"

namespace vek {
namespace {

ArgumentKind KindOf(const std::string& name) {
  if (name == "FOLDER") return ArgumentKind::kFolder;
  if (name == "PACKET" || name == "DESTINATION") return ArgumentKind::kPacket;
  if (name == "FILE" || name == "OUT" || name == "PAGE") return ArgumentKind::kFile;
  return ArgumentKind::kOther;
}

OptionOutline OptionOf(const CLI::Option& option) {
  OptionOutline outline;
  for (const std::string& name : option.get_snames()) outline.names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) outline.names.push_back("--" + name);
  outline.help = option.get_description();
  outline.default_value = option.get_default_str();
  outline.environment = option.get_envname();
  outline.takes_value = option.get_expected_max() > 0;
  outline.repeats = option.get_items_expected_max() > 1;
  const std::string type = option.get_type_name();
  const size_t open = type.find('{');
  const size_t close = type.find('}', open);
  if (open != std::string::npos && close != std::string::npos) {
    std::stringstream choices(type.substr(open + 1, close - open - 1));
    for (std::string choice; std::getline(choices, choice, ',');) {
      if (choice != "...") outline.choices.push_back(choice);
    }
  }
  return outline;
}

// The options --help lists: the hidden ones (no group) stay out, and so do --help and
// --version of vek itself, which stand alone.
std::vector<OptionOutline> OptionsOf(CLI::App& app, bool global) {
  std::vector<OptionOutline> options;
  for (const CLI::Option* option : app.get_options()) {
    if (!option->nonpositional() || option->get_group().empty()) continue;
    if (global && (option == app.get_help_ptr() || option == app.get_version_ptr())) continue;
    options.push_back(OptionOf(*option));
    options.back().global = global;
  }
  return options;
}

}  // namespace

CliOutline Outline(CLI::App& app) {
  CliOutline outline{OptionsOf(app, true), {}};
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
    CommandOutline& entry = outline.commands.emplace_back();
    entry.name = command->get_name();
    entry.help = command->get_description();
    entry.usage = CLI::Formatter().make_usage(command, "vek " + entry.name);
    entry.usage = entry.usage.substr(entry.usage.find("vek "));
    while (!entry.usage.empty() && entry.usage.back() == '\n') entry.usage.pop_back();
    entry.options = OptionsOf(*command, false);
    for (const CLI::Option* option : command->get_options()) {
      if (!option->get_positional()) continue;
      entry.positionals.push_back(
          {option->get_name(), KindOf(option->get_name()), option->get_items_expected_max() > 1});
    }
  }
  return outline;
}

}  // namespace vek
