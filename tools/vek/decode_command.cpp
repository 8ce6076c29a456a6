#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "zorvit_files.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

struct DecodeOptions {
  std::vector<std::string> pages;
  DecodeSettings decode;
};

// Standard input copied to a scratch file, so that a page met before its turn can be read
// again; removed with it.
struct StandardInputCopy {
  std::string path;
  StandardInputCopy() {
    path = (fs::temp_directory_path() / ("stdin.vek-" + std::to_string(getpid()) + ".partial")).string();
    std::ofstream copy(path, std::ios::binary);
    copy << std::cin.rdbuf();
    if (!copy.flush()) Fail("cannot copy standard input to " + path);
  }
  ~StandardInputCopy() {
    std::error_code ignored;
    fs::remove(path, ignored);
  }
};

int RunDecode(DecodeOptions& options) {
  std::optional<StandardInputCopy> standard_input;
  std::vector<std::string> paths;
  for (const std::string& path : options.pages) {
    if (path != "-") options.decode.inputs.push_back(path);
    if (path == "-" && !standard_input) standard_input.emplace();
    paths.push_back(path == "-" ? standard_input->path : path);
  }
  PageSources sources;
  sources.read = [&](oldvek::PageSetDecoder& decoder) {
    for (size_t i = 0; i < paths.size(); ++i) {
      Must(decoder.StartSource(options.pages[i] == "-" ? "standard input" : options.pages[i]));
      StreamTextLines(paths[i], 0, [&](std::string_view line, uint64_t at) {
        Must(decoder.TakeLine(line, at));
        return true;
      });
    }
  };
  sources.reread = [&](size_t source, uint64_t at, const oldvek::PageLineVisitor& visit) {
    StreamTextLines(paths[source], at, [&](std::string_view line, uint64_t) { return visit(line); });
    return oldvek::Status::Ok();
  };
  const std::string outcome = DecodePagesToFile(sources, options.decode);
  if (!outcome.empty()) std::printf("%s\n", outcome.c_str());
  return kDone;
}

}  // namespace

void AddDecodeCommand(CLI::App& app) {
  auto options = std::make_shared<DecodeOptions>();
  CLI::App* command = app.add_subcommand(
      "decode", "rebuild a file from ZORVIT page files (any dialect, in any order), checking every page");
  command->add_option("PAGE", options->pages, "page files; - reads standard input")->required();
  command->add_option("-o,--out", options->decode.out,
                      "the output file (- for standard output); the name on the pages unless told");
  command->add_flag("--keep-bad", options->decode.keep_bad, "keep the output when a check fails");
  AddForce(*command, options->decode.force);
  AddQuiet(*command, options->decode.quiet);
  SetAction(*command, [options] { return RunDecode(*options); });
}

}  // namespace vek
