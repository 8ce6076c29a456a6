#include "manual.h"

#include "oldvek_version.h"

namespace vek {
namespace {

// roff reads a leading "." or "'" as a request and "\" as an escape.
std::string Roff(const std::string& text) {
  std::string out;
  bool line_start = true;
  for (const char c : text) {
    if (line_start && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') out += "\\e";
    else out += c;
    line_start = c == '\n';
  }
  return out;
}

std::vector<CLI::App*> Commands(CLI::App& app) { return app.get_subcommands([](CLI::App*) { return true; }); }

// The options every command takes (--encoding): those of vek itself that --help lists.
std::vector<const CLI::Option*> GlobalOptions(const CLI::App& app) {
  return app.get_options([](const CLI::Option* option) {
    return !option->get_group().empty() && !option->get_envname().empty();
  });
}

// A command's --help without its first line (the description, shown above it) and without
// the exit statuses every command repeats.
std::string CommandHelp(CLI::App& command, const std::string& footer) {
  std::string help = command.help();
  help.erase(0, help.find('\n') + 1);
  const size_t repeated = help.find(footer);
  if (repeated != std::string::npos) help.erase(repeated);
  while (help.size() > 1 && help[help.size() - 2] == '\n') help.pop_back();
  return help;
}

}  // namespace

std::string ManualPage(CLI::App& app) {
  std::string page = ".TH VEK 1 \"\" \"OldVek " OLDVEK_VERSION "\" \"User Commands\"\n.SH NAME\nvek \\- " +
                     Roff(app.get_description()) + "\n.SH SYNOPSIS\n.B vek\n.I COMMAND\n[\\fIARGUMENTS\\fR]\n" +
                     ".br\n.B vek\n\\-\\-help | \\-\\-version\n.SH OPTIONS\nBefore or after the command:\n";
  for (const CLI::Option* option : GlobalOptions(app)) {
    page += ".TP\n.B \\-\\-" + option->get_lnames().front() + " \\fINAME\\fR\n" + Roff(option->get_description()) +
            " (default " + option->get_default_str() + "; also the environment variable " + option->get_envname() + ")\n";
  }
  page += ".SH COMMANDS\n";
  for (CLI::App* command : Commands(app)) {
    page += ".SS " + command->get_name() + "\n" + Roff(command->get_description()) + "\n.PP\n.nf\n" +
            Roff(CommandHelp(*command, app.get_footer())) + ".fi\n";
  }
  page += ".SH EXIT STATUS\n" + Roff(app.get_footer()) + "\n";
  return page;
}

std::string BashCompletion(CLI::App& app) {
  std::string commands;
  std::string cases;
  for (CLI::App* command : Commands(app)) {
    commands += (commands.empty() ? "" : " ") + command->get_name();
    std::string options = "--help";
    for (const CLI::Option* option : GlobalOptions(app)) options += " --" + option->get_lnames().front();
    for (const CLI::Option* option : command->get_options()) {
      for (const std::string& name : option->get_lnames()) {
        if (name != "help") options += " --" + name;
      }
    }
    cases += "    " + command->get_name() + ") options=\"" + options + "\" ;;\n";
  }
  return "# bash completion for vek, made by \"vek --print bash-completion\"\n"
         "_vek() {\n"
         "  local current=${COMP_WORDS[COMP_CWORD]} options\n"
         "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
         "    COMPREPLY=($(compgen -W \"" + commands + " --help --version\" -- \"$current\"))\n"
         "    return\n"
         "  fi\n"
         "  case ${COMP_WORDS[1]} in\n" + cases +
         "    *) options=\"\" ;;\n"
         "  esac\n"
         "  if [[ $current == -* ]]; then\n"
         "    COMPREPLY=($(compgen -W \"$options\" -- \"$current\"))\n"
         "  else\n"
         "    COMPREPLY=($(compgen -f -- \"$current\"))\n"
         "  fi\n"
         "}\n"
         "complete -o filenames -F _vek vek\n";
}

}  // namespace vek
