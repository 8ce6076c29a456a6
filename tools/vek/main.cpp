// vek: lists, shows, searches, edits, encodes and extracts packets from a terminal.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <map>

#include "command.h"
#include "completions.h"
#include "failure.h"
#include "manual.h"
#include "oldvek_version.h"
#include "text_encoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace vek {
namespace {

int exit_code = kDone;
std::string encoding_name = "windows-1252";

constexpr const char* kExitCodes =
    "Exit status: 0 done (or found), 1 nothing found (search), 2 usage error,\n"
    "3 the operation failed (missing folder or packet, damaged packet, I/O error).\n"
    "Run \"vek COMMAND --help\" for a command's arguments and options.";

}  // namespace

void SetAction(CLI::App& command, std::function<int()> action) {
  command.callback([action = std::move(action)] {
    UseArchiveEncoding(encoding_name);
    exit_code = action();
  });
}

void AddForce(CLI::App& command, bool& force) { command.add_flag("--force", force, "replace an existing output file"); }
void AddQuiet(CLI::App& command, bool& quiet) { command.add_flag("-q,--quiet", quiet, "no progress bar"); }
void AddJson(CLI::App& command, bool& json) { command.add_flag("--json", json, "one JSON document on standard output"); }

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
  try {
    if (argc >= 3 && std::string_view(argv[1]) == "--print" && made.contains(argv[2])) {
      std::fputs(made.at(argv[2])(app).c_str(), stdout);
      return kDone;
    }
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) return app.exit(error);
    std::fprintf(stderr, "vek: %s (see vek --help)\n", error.what());
    return kUsageError;
  } catch (const Failure& failure) {
    std::fprintf(stderr, "vek: %s\n", failure.what());
    return failure.code();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vek: %s\n", error.what());
    return kFailed;
  }
  return exit_code;
}

}  // namespace vek

int main(int argc, char** argv) {
#ifdef _WIN32
  // Files read from standard input and written to standard output travel byte for byte,
  // and printed lines end in LF as they do on Linux.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return vek::Run(argc, argv);
}
