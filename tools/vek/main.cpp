// vek's application: its commands, the options they share, and how a run ends.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <map>
#include <string_view>
#include <vector>

#include "command.h"
#include "completions.h"
#include "failure.h"
#include "manual.h"
#include "oldvek_version.h"
#include "text_encoding.h"

namespace vek {
namespace {

int exit_code = kDone;
std::string encoding_name = "windows-1252";

constexpr const char* kExitCodes =
    "Exit status: 0 done (or found), 1 nothing found (search), 2 usage error,\n"
    "3 the operation failed (missing folder or packet, damaged packet, I/O error).\n"
    "Run \"vek COMMAND --help\" or \"vek help COMMAND\" for a command's arguments and options.";

// Edits (insertions, deletions, substitutions, swaps of neighbours) that make `a` into `b`.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

// The command `name` names, or a usage error naming the nearest command.
CLI::App* CommandNamed(CLI::App& app, const std::string& name) {
  CLI::App* nearest = nullptr;
  size_t best = SIZE_MAX;
  for (CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == name) return command;
    const size_t distance = EditDistance(name, command->get_name());
    if (distance < best) best = distance, nearest = command;
  }
  std::string message = "unknown command \"" + name + "\"";
  if (nearest != nullptr && best * 3 <= name.size()) message += "; did you mean \"" + nearest->get_name() + "\"?";
  throw Failure(kUsageError, message + " (vek --help lists the commands)");
}

}  // namespace

void SetAction(CLI::App& command, std::function<int()> action) {
  command.callback([action = std::move(action)] {
    UseArchiveEncoding(encoding_name);
    exit_code = action();
  });
}

void AddForce(CLI::App& command, bool& force) { command.add_flag("--force", force, "replace an existing output file"); }
void AddQuiet(CLI::App& command, bool& quiet) { command.add_flag("-q,--quiet", quiet, "no progress bar"); }
void AddJson(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "one JSON document on standard output");
}

void BuildApp(CLI::App& app) {
  // "/data/arc" is a folder, not a Windows-style option; commands inherit this.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", OLDVEK_VERSION);
  app.footer(kExitCodes);
  app.require_subcommand(1, 1);
  // Before or after the command: the commands hand options they do not know to vek itself.
  app.fallthrough();
  app.add_option("--encoding", encoding_name,
                 "the archive's text encoding, 8-bit (cp437, cp850, latin1, windows-1252, ...); what is typed "
                 "and shown is converted between it and the locale's encoding")
      ->type_name("{windows-1252,cp437,cp850,latin1,...}")  // the completions offer these
      ->envname("VEK_ENCODING")
      ->capture_default_str();
  AddListCommand(app);
  AddShowCommand(app);
  AddSearchCommand(app);
  AddNewCommands(app);
  AddEditCommands(app);
  AddExtractCommand(app);
  AddDecodeCommand(app);
  AddCdeCommand(app);
  AddEncodeCommand(app);
  AddCheckCommand(app);
  AddBrowseCommand(app);
}

int Run(int argc, char** argv) {
  CLI::App app("the BASIC snippet archive from a terminal", "vek");
  BuildApp(app);
  // Hidden: it makes vek.1 and the completions of tools/vek/ from the options above.
  const std::map<std::string, std::string (*)(CLI::App&)> made = {{"man", ManualPage},
                                                                  {"bash-completion", BashCompletion},
                                                                  {"zsh-completion", ZshCompletion},
                                                                  {"fish-completion", FishCompletion}};
  std::string page;
  app.add_option("--print", page)->check(CLI::IsMember(made))->group("");
  // The command's own help is where its arguments are explained.
  std::string help = "vek --help";
  try {
    if (argc >= 3 && std::string_view(argv[1]) == "--print" && made.contains(argv[2])) {
      std::fputs(made.at(argv[2])(app).c_str(), stdout);
      return kDone;
    }
    if (argc >= 2 && std::string_view(argv[1]) == "help") {  // vek help [COMMAND]
      if (argc > 3) throw Failure(kUsageError, "vek help takes one command at most");
      std::fputs((argc == 3 ? CommandNamed(app, argv[2])->help() : app.help()).c_str(), stdout);
      return kDone;
    }
    if (argc >= 2 && argv[1][0] != '-') help = "vek " + CommandNamed(app, argv[1])->get_name() + " --help";
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);
    std::fprintf(stderr, "vek: %s (see %s)\n", error.what(), help.c_str());
    return kUsageError;
  } catch (const Failure& failure) {
    std::fflush(stdout);  // what the command printed comes before why it stopped
    const bool usage = failure.code() == kUsageError && help != "vek --help";
    std::fprintf(stderr, "vek: %s%s\n", failure.what(), usage ? (" (see " + help + ")").c_str() : "");
    return failure.code();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vek: %s\n", error.what());
    return kFailed;
  }
  return exit_code;
}

}  // namespace vek
