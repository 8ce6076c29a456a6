#include <cstdio>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "zorvit_files.h"

namespace vek {
namespace {

struct DecodeOptions {
  std::vector<std::string> pages;
  DecodeSettings decode;
};

int RunDecode(DecodeOptions& options) {
  std::vector<oldvek::PageText> pages;
  for (const std::string& path : options.pages) {
    if (path != "-") options.decode.inputs.push_back(path);
    oldvek::SplitPages(ReadTextLines(path), path == "-" ? "standard input" : path, pages);
  }
  const std::string outcome = DecodePagesToFile(pages, options.decode);
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
