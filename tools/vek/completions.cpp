#include "completions.h"

#include "cli_outline.h"

namespace vek {
namespace {

std::string Joined(const std::vector<std::string>& words, const std::string& between = " ") {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : between) + word;
  return out;
}

// A command's options with the global ones, which are accepted after the command too.
std::vector<OptionOutline> OptionsOf(const CliOutline& outline, const CommandOutline& command) {
  std::vector<OptionOutline> options = command.options;
  options.insert(options.end(), outline.global_options.begin(), outline.global_options.end());
  return options;
}

const char* KindWord(ArgumentKind kind) {
  switch (kind) {
    case ArgumentKind::kFolder: return "folder";
    case ArgumentKind::kPacket: return "packet";
    case ArgumentKind::kFile: return "file";
    case ArgumentKind::kOther: break;
  }
  return "other";
}

// Single quotes for the shells: 'it'\''s'.
std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// zsh's _arguments reads "[", "]" and ":" in a description as its own.
std::string ZshText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '[' || c == ']' || c == ':' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string ZshOptionSpec(const OptionOutline& option) {
  std::string value;
  if (option.takes_value) {
    value = ":" + ZshText(option.names.back().substr(2)) + ":" +
            (option.choices.empty() ? "_files" : "(" + Joined(option.choices) + ")");
  }
  std::string arguments;
  for (const std::string& name : option.names) {
    const bool long_name = name.starts_with("--");
    std::string argument = (option.repeats ? "*" : "") + name + (option.takes_value && long_name ? "=" : "") + "[" +
                           ZshText(option.help) + "]" + value;
    if (option.names.size() > 1 && !option.repeats) argument = "(" + Joined(option.names) + ")" + argument;
    arguments += " \\\n        " + Quoted(argument);
  }
  return arguments;
}

std::string ZshPositionalSpec(const PositionalOutline& positional, size_t number) {
  std::string action = " ";
  if (positional.kind == ArgumentKind::kFolder) action = "_files -/";
  if (positional.kind == ArgumentKind::kPacket) action = "->packet";
  if (positional.kind == ArgumentKind::kFile) action = "_files";
  return " \\\n        " + Quoted((positional.repeats ? std::string("*") : std::to_string(number)) + ":" +
                                  positional.name + ":" + action);
}

}  // namespace

std::string BashCompletion(CLI::App& app) {
  const CliOutline outline = Outline(app);
  std::vector<std::string> commands;
  std::vector<std::string> global_names;
  std::vector<std::string> global_valued;
  std::string values;
  for (const OptionOutline& option : outline.global_options) {
    global_names.insert(global_names.end(), option.names.begin(), option.names.end());
    if (option.takes_value) global_valued.insert(global_valued.end(), option.names.begin(), option.names.end());
    if (option.choices.empty()) continue;
    for (const std::string& name : option.names) {
      values += "    *:" + name + ") words=" + Quoted(Joined(option.choices)) + " ;;\n";
    }
  }
  std::string tables;
  for (const CommandOutline& command : outline.commands) {
    commands.push_back(command.name);
    std::vector<std::string> names;
    std::vector<std::string> valued;
    for (const OptionOutline& option : OptionsOf(outline, command)) {
      names.insert(names.end(), option.names.begin(), option.names.end());
      if (option.takes_value) valued.insert(valued.end(), option.names.begin(), option.names.end());
      if (option.choices.empty() || option.global) continue;
      for (const std::string& name : option.names) {
        values += "    " + command.name + ":" + name + ") words=" + Quoted(Joined(option.choices)) + " ;;\n";
      }
    }
    std::vector<std::string> kinds;
    for (const PositionalOutline& positional : command.positionals) {
      kinds.push_back(std::string(KindWord(positional.kind)) + (positional.repeats ? "..." : ""));
    }
    tables += "    " + command.name + ") options=" + Quoted(Joined(names)) + " valued=" + Quoted(Joined(valued)) +
              " kinds=" + Quoted(Joined(kinds)) + " ;;\n";
  }
  return "# bash completion for vek, made by \"vek --print bash-completion\"\n"
         "\n"
         "# _vek_command COMMAND: sets options, valued (the options that take a value) and kinds (what\n"
         "# each argument names; \"...\" repeats the last).\n"
         "_vek_command() {\n"
         "  case $1 in\n" +
         tables + "    *) options=" + Quoted(Joined(global_names) + " --help --version") +
         " valued=" + Quoted(Joined(global_valued)) +
         " kinds='' ;;\n"
         "  esac\n"
         "}\n"
         "\n"
         "# _vek_values COMMAND OPTION: sets words to the option's choices; fails for a free value.\n"
         "_vek_values() {\n"
         "  case $1:$2 in\n" +
         values +
         "    *) return 1 ;;\n"
         "  esac\n"
         "}\n"
         "\n"
         "# _vek_packets FOLDER PREFIX: the packets of FOLDER whose names start with PREFIX, in any\n"
         "# letter case.\n"
         "_vek_packets() {\n"
         "  local file name\n"
         "  for file in \"$1\"/*.[Vv][Ee][Kk]; do\n"
         "    [ -f \"$file\" ] || continue\n"
         "    name=${file##*/}\n"
         "    name=${name%.*}\n"
         "    [[ ${name,,} == \"${2,,}\"* ]] && COMPREPLY+=(\"$name\")\n"
         "  done\n"
         "}\n"
         "\n"
         "_vek() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} option='' command='' folder='' argument=0 i=1 word\n"
         "  local options valued kinds words kind\n"
         "  COMPREPLY=()\n"
         "  # bash splits --in=code into --in, = and code.\n"
         "  if [ \"$cur\" = = ]; then\n"
         "    option=${COMP_WORDS[COMP_CWORD-1]} cur=''\n"
         "  elif [ \"${COMP_WORDS[COMP_CWORD-1]}\" = = ]; then\n"
         "    option=${COMP_WORDS[COMP_CWORD-2]}\n"
         "  fi\n"
         "  while [ \"$i\" -lt \"$COMP_CWORD\" ]; do\n"
         "    word=${COMP_WORDS[i]}\n"
         "    if [ \"${COMP_WORDS[i+1]}\" = = ]; then\n"
         "      i=$((i + 3))\n"
         "      continue\n"
         "    fi\n"
         "    _vek_command \"$command\"\n"
         "    if [[ $word == -* ]]; then\n"
         "      if [[ \" $valued \" == *\" $word \"* ]]; then\n"
         "        [ $((i + 1)) -eq \"$COMP_CWORD\" ] && option=$word\n"
         "        i=$((i + 1))\n"
         "      fi\n"
         "    elif [ -z \"$command\" ]; then\n"
         "      command=$word\n"
         "    else\n"
         "      argument=$((argument + 1))\n"
         "      # The folder as typed, quotes and backslashes taken away (never a command substitution).\n"
         "      [ \"$argument\" -eq 1 ] && [[ $word != *[\\$\\`]* ]] && eval \"folder=$word\" 2>/dev/null\n"
         "    fi\n"
         "    i=$((i + 1))\n"
         "  done\n"
         "  _vek_command \"$command\"\n"
         "  if [ -n \"$option\" ]; then\n"
         "    if _vek_values \"$command\" \"$option\"; then\n"
         "      mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\")\n"
         "    else\n"
         "      mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
         "    fi\n"
         "  elif [ -z \"$command\" ] && [[ $cur != -* ]]; then\n"
         "    mapfile -t COMPREPLY < <(compgen -W \"" +
         Joined(commands) +
         "\" -- \"$cur\")\n"
         "  elif [[ $cur == -* ]]; then\n"
         "    mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
         "  else\n"
         "    read -ra kinds <<<\"$kinds\"\n"
         "    [ \"${#kinds[@]}\" -gt 0 ] || return 0\n"
         "    kind=${kinds[argument]:-${kinds[-1]}}\n"
         "    [ \"$argument\" -lt \"${#kinds[@]}\" ] || [[ $kind == *... ]] || return 0\n"
         "    case ${kind%...} in\n"
         "      folder) mapfile -t COMPREPLY < <(compgen -d -- \"$cur\") ;;\n"
         "      packet) _vek_packets \"$folder\" \"$cur\" ;;\n"
         "      file) mapfile -t COMPREPLY < <(compgen -f -- \"$cur\") ;;\n"
         "    esac\n"
         "  fi\n"
         "}\n"
         "complete -o filenames -F _vek vek\n";
}

std::string ZshCompletion(CLI::App& app) {
  const CliOutline outline = Outline(app);
  std::string commands;
  std::string cases;
  for (const CommandOutline& command : outline.commands) {
    commands += "    " + Quoted(command.name + ":" + ZshText(command.help)) + "\n";
    cases += "    " + command.name + ")\n      _arguments -C -s :";
    for (const OptionOutline& option : OptionsOf(outline, command)) cases += ZshOptionSpec(option);
    for (size_t i = 0; i < command.positionals.size(); ++i) cases += ZshPositionalSpec(command.positionals[i], i + 1);
    cases += " && return\n      ;;\n";
  }
  std::string globals;
  for (const OptionOutline& option : outline.global_options) globals += ZshOptionSpec(option);
  return "#compdef vek\n"
         "# zsh completion for vek, made by \"vek --print zsh-completion\"\n"
         "\n"
         "_vek() {\n"
         "  local curcontext=$curcontext state state_descr line file\n"
         "  local -a commands=(\n" +
         commands +
         "  )\n"
         "  _arguments -C \"(- *)--help[print the help and exit]\" \"(- *)--version[print the version and exit]\"" +
         globals +
         " \\\n        '1:command:->command' '*::argument:->argument' && return\n"
         "  case $state in\n"
         "    command) _describe -t commands 'vek command' commands; return ;;\n"
         "  esac\n"
         "  case $words[1] in\n" +
         cases +
         "  esac\n"
         "  # The packets of the folder typed first, in any letter case.\n"
         "  if [[ $state == packet ]]; then\n"
         "    local -a packets=(${(Q)line[1]}/*.(#i)vek(N.:t:r))\n"
         "    compadd -M 'm:{a-zA-Z}={A-Za-z}' -a packets\n"
         "  fi\n"
         "}\n"
         "\n"
         "_vek \"$@\"\n";
}

std::string FishCompletion(CLI::App& app) {
  const CliOutline outline = Outline(app);
  std::string lines;
  std::string tables;
  auto add_option = [&lines](const std::string& condition, const OptionOutline& option) {
    std::string line = "complete -c vek -n " + Quoted(condition);
    for (const std::string& name : option.names) {
      line += name.starts_with("--") ? " -l " + name.substr(2) : " -s " + name.substr(1);
    }
    if (option.takes_value) line += option.choices.empty() ? " -r -F" : " -x -a " + Quoted(Joined(option.choices));
    lines += line + " -d " + Quoted(option.help) + "\n";
  };
  std::vector<std::string> global_valued;
  for (const OptionOutline& option : outline.global_options) {
    add_option("true", option);
    if (option.takes_value) global_valued.insert(global_valued.end(), option.names.begin(), option.names.end());
  }
  for (const CommandOutline& command : outline.commands) {
    lines += "complete -c vek -n __fish_use_subcommand -a " + command.name + " -d " + Quoted(command.help) + "\n";
    std::vector<std::string> valued = global_valued;
    for (const OptionOutline& option : command.options) {
      add_option("__fish_seen_subcommand_from " + command.name, option);
      if (option.takes_value) valued.insert(valued.end(), option.names.begin(), option.names.end());
    }
    std::vector<std::string> kinds;
    for (const PositionalOutline& positional : command.positionals) {
      kinds.push_back(std::string(KindWord(positional.kind)) + (positional.repeats ? "..." : ""));
    }
    tables += "    case " + command.name + "\n      set kinds " + Joined(kinds) + "\n      set valued " +
              Joined(valued) + "\n";
  }
  return "# fish completion for vek, made by \"vek --print fish-completion\"\n"
         "\n"
         "# What the argument being typed names (folder, packet, file or other) and, after a\n"
         "# tab, the folder typed first.\n"
         "function __vek_argument\n"
         "    set -l words (commandline -opc)\n"
         "    set -l command\n"
         "    set -l arguments\n"
         "    set -l kinds\n"
         "    set -l valued " +
         Joined(global_valued) +
         "\n"
         "    set -l skip 0\n"
         "    for word in $words[2..-1]\n"
         "        if test $skip = 1\n"
         "            set skip 0\n"
         "        else if string match -q -- '-*' $word\n"
         "            contains -- $word $valued; and set skip 1\n"
         "        else if test -z \"$command\"\n"
         "            set command $word\n"
         "            switch $command\n" +
         tables +
         "            end\n"
         "        else\n"
         "            set -a arguments $word\n"
         "        end\n"
         "    end\n"
         "    test -n \"$command\" -a $skip = 0; or return\n"
         "    set -l n (math (count $arguments) + 1)\n"
         "    set -l kind $kinds[-1]\n"
         "    test $n -le (count $kinds); and set kind $kinds[$n]\n"
         "    test $n -le (count $kinds); or string match -q '*...' -- $kind; or set kind other\n"
         "    printf '%s\\t%s\\n' (string replace '...' '' -- $kind) $arguments[1]\n"
         "end\n"
         "\n"
         "function __vek_packets\n"
         "    set -l folder (__vek_argument | string split -f2 \\t)\n"
         "    for file in $folder/*\n"
         "        string match -qri '\\.vek$' -- $file; and string replace -r '.*/(.*)\\.[^.]*$' '$1' -- $file\n"
         "    end\n"
         "end\n"
         "\n"
         "complete -c vek -f\n"
         "complete -c vek -n __fish_use_subcommand -l help -d 'print the help and exit'\n"
         "complete -c vek -n __fish_use_subcommand -l version -d 'print the version and exit'\n" +
         lines +
         "complete -c vek -n 'string match -q \"folder*\" (__vek_argument)' -a '(__fish_complete_directories)'\n"
         "complete -c vek -n 'string match -q \"packet*\" (__vek_argument)' -a '(__vek_packets)'\n"
         "complete -c vek -n 'string match -q \"file*\" (__vek_argument)' -F\n";
}

}  // namespace vek
