// VekHelp in a terminal: the viewer's four areas drawn with ncurses. The topic words, joined by
// blanks, name the first topic as the Windows program's command line does.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "command_line.h"
#include "oldvek_version.h"
#include "terminal/curses_screen_posix.h"
#include "terminal/terminal_session.h"
#include "terminal/terminal_view.h"

namespace {

// Why `path` cannot be shown, or nothing.
std::string HelpFileProblem(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return "no such file";
  if (status.type() == std::filesystem::file_type::directory) return "is a folder, not a help file";
  std::FILE* opened = std::fopen(path.c_str(), "rb");
  if (opened == nullptr) return std::string("cannot be read (") + std::strerror(errno) + ")";
  const bool empty = std::fgetc(opened) == EOF;
  const bool failed = std::ferror(opened) != 0;
  std::fclose(opened);
  if (failed) return "cannot be read";
  return empty ? "is empty" : "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vekhelp;
  CLI::App app("Shows the OldVek help file in the terminal.", "VekHelp");
  std::string path(kHelpFileName);
  std::vector<std::string> topic;
  CLI::Option* file =
      app.add_option("-f,--file", path, "the help file to show")->default_str(std::string(kHelpFileName));
  app.add_option("topic", topic,
                 "the first topic: its heading, such as \"<vek list>\", or its name without the angle brackets");
  app.set_version_flag("--version", OLDVEK_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : 2;
  }

  // A help file named on the command line that cannot be shown is said before the screen is
  // taken, where the message stays readable.
  if (file->count() > 0) {
    const std::string problem = HelpFileProblem(path);
    if (!problem.empty()) {
      std::fprintf(stderr, "VekHelp: %s: %s\n", path.c_str(), problem.c_str());
      return 1;
    }
  }

  // Without a terminal there would be no way to read a key: say so rather than wait.
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    std::fprintf(stderr, "VekHelp: needs a terminal on its input and output; see VekHelp --help\n");
    return 2;
  }
  std::setlocale(LC_ALL, "");
  const std::unique_ptr<CursesScreen> screen = CursesScreen::Open();
  if (!screen) {
    std::fprintf(stderr, "VekHelp: cannot use this terminal (is TERM set?)\n");
    return 2;
  }
  TerminalView view;
  TerminalSession session{HelpFile(path), view};
  session.Start(JoinArguments(topic));
  do {
    screen->Draw(view);
  } while (session.Handle(screen->Read(view)));
  return 0;
}
