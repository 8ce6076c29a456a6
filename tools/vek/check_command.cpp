#include <cstdio>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "packets/packet_check.h"
#include "progress.h"
#include "snippet_json.h"

namespace vek {
namespace {

struct CheckOptions {
  std::string folder;
  std::vector<std::string> packets;
  bool json = false;
  bool quiet = false;
};

int RunCheck(const CheckOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<std::string> packets = ChosenPackets(folder, options.packets);
  if (packets.empty()) Fail("no packets (.IDX files) in " + folder);
  nlohmann::json document = {{"folder", Name(options.folder)}, {"packets", nlohmann::json::array()}};
  bool sound = true;
  Progress progress("checking", packets.size(), options.quiet);
  for (const std::string& base : packets) {
    const oldvek::PacketReport report = Must(oldvek::CheckPacket(Files(), folder, base));
    progress.Step();
    sound = sound && report.problems.empty();
    if (options.json) {
      nlohmann::json problems = nlohmann::json::array();
      for (const oldvek::PacketProblem& problem : report.problems) {
        problems.push_back({{"record", problem.record}, {"problem", Text(problem.text)}});
      }
      document["packets"].push_back({{"name", Name(base)},
                                     {"snippets", report.snippet_count},
                                     {"pages", report.page_count},
                                     {"problems", std::move(problems)}});
      continue;
    }
    std::printf("%s: %llu snippets, %llu ZORVIT pages, %s\n", base.c_str(),
                static_cast<unsigned long long>(report.snippet_count),
                static_cast<unsigned long long>(report.page_count), report.problems.empty() ? "sound" : "damaged");
    for (const oldvek::PacketProblem& problem : report.problems) {
      if (problem.record == 0) {
        std::printf("  %s\n", problem.text.c_str());
      } else {
        std::printf("  snippet %llu: %s\n", static_cast<unsigned long long>(problem.record), problem.text.c_str());
      }
    }
  }
  if (options.json) PrintJson(document);
  return sound ? kDone : kFailed;
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command = app.add_subcommand(
      "check", "report what is wrong in the named packets, or in every packet of FOLDER; exit 3 when anything is");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packets, "packet names (any letter case)");
  AddJson(*command, options->json);
  AddQuiet(*command, options->quiet);
  SetAction(*command, [options] { return RunCheck(*options); });
}

}  // namespace vek
