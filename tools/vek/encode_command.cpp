#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "output_file.h"
#include "zorvit_files.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

struct EncodeOptions {
  EncodeSettings settings;
  std::string dialect = "qb";
  std::string dir;
  bool force = false;
};

// Every page, in order, on standard output: "vek decode -" reads them back from one stream.
void WritePages(const EncodedPages& pages) {
  for (const std::string& page : pages.paths()) {
    std::ifstream in(page, std::ios::binary);
    std::cout << in.rdbuf();
  }
  if (!std::cout.flush()) Fail("cannot write the pages to standard output");
}

// The pages are made in a scratch folder beside their destination and renamed into place
// only when all of them are written, so a failed encode leaves no page behind.
int RunEncode(EncodeOptions& options) {
  options.settings.dialect = *DialectNamed(options.dialect);
  if (options.settings.first_page == "-") {
    options.settings.first_page.clear();
    WritePages(EncodedPages(options.settings, ""));
    return kDone;
  }
  const fs::path input(options.settings.input);
  const std::string dir = options.dir.empty()
                              ? (options.settings.input == "-" ? std::string(".") : input.parent_path().string())
                              : options.dir;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
  std::vector<std::string> inputs;
  if (options.settings.input != "-") inputs.push_back(options.settings.input);
  PrepareOutput((folder / "x").string(), true);  // creates the folder
  const EncodedPages pages(options.settings, folder.string());
  std::vector<fs::path> targets;
  for (const std::string& page : pages.paths()) {
    targets.push_back(folder / fs::path(page).filename());
    PrepareOutput(targets.back().string(), options.force, inputs);
  }
  for (size_t i = 0; i < targets.size(); ++i) {
    std::error_code error;
    fs::rename(pages.paths()[i], targets[i], error);
    if (error) Fail("cannot put " + targets[i].string() + " in place: " + error.message());
  }
  for (const fs::path& target : targets) std::printf("%s\n", target.string().c_str());
  return kDone;
}

}  // namespace

void AddEncodeCommand(CLI::App& app) {
  auto options = std::make_shared<EncodeOptions>();
  CLI::App* command = app.add_subcommand(
      "encode", "write FILE as self-extracting ZORVIT BASIC source pages (QBasic/QB/PDS unless told)");
  command->add_option("FILE", options->settings.input, "the file to encode; - reads standard input")->required();
  command->add_option("--dialect", options->dialect, "pb (PowerBASIC), vb (Visual BASIC) or qb (QBasic/QB/PDS)")
      ->check(CLI::IsMember({"pb", "vb", "qb"}))
      ->capture_default_str();
  command->add_option("--out", options->settings.first_page,
                      "page 1's file name (NAME.BAS unless told); - writes every page to standard output");
  command->add_option("--dir", options->dir, "the folder the pages go to (FILE's own unless told; created if missing)");
  command->add_option("--name", options->settings.name, "the file name the pages rebuild (FILE's own unless told)");
  command->add_flag("--plain", options->settings.plain,
                    "no CRC-32 line: pages byte for byte as the library writes them");
  AddForce(*command, options->force);
  AddQuiet(*command, options->settings.quiet);
  SetAction(*command, [options] { return RunEncode(*options); });
}

}  // namespace vek
