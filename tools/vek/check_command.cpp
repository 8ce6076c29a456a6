#include <cstdio>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "packets/packet_check.h"
#include "packets/packet_commit.h"
#include "packets/packet_lock.h"
#include "progress.h"
#include "snippet_json.h"

namespace vek {
namespace {

struct CheckOptions {
  std::string folder;
  std::vector<std::string> packets;
  bool json = false;
  bool quiet = false;
  bool repair = false;
};

// Whether the folder takes writing: a packet's index opened for writing, which changes nothing.
bool Writable(const std::string& folder, const oldvek::PacketName& base) {
  oldvek::Result<std::unique_ptr<oldvek::File>> index =
      Files().Open(oldvek::PacketFiles(folder, base).index,
                   {oldvek::Access::kReadWrite, oldvek::Share::kShared, oldvek::Disposition::kOpenExisting});
  return index.ok() || index.status().kind() != oldvek::Status::Kind::kWriteRefused;
}

// An interrupted edit, and how it is completed.
std::string Interrupted(const CheckOptions& options, const std::string& folder, const oldvek::PacketName& base) {
  if (!Writable(folder, base)) {
    return "it holds an interrupted edit, which can only be completed on a writable copy (" + folder + " is read-only)";
  }
  return "an edit was interrupted; \"vek check --repair " + options.folder + " " + base.text() + "\" completes it";
}

// The report on one packet; a packet that cannot be checked is reported as one problem.
oldvek::PacketReport Report(const CheckOptions& options, const std::string& folder, const oldvek::PacketName& base) {
  oldvek::PacketReport report;
  const std::string missing = MissingPacketFile(folder, base);
  if (!missing.empty()) {
    report.problems.push_back({0, missing});
    return report;
  }
  if (options.repair && Files().Exists(oldvek::PacketFiles(folder, base).mark)) {
    // Taking the lock for an edit settles the packet: the interrupted edit is completed or taken back.
    oldvek::Result<oldvek::PacketLock> settled =
        oldvek::PacketLock::Take(Files(), folder, base, oldvek::PacketAccess::kEdit);
    if (!settled.ok())
      report.problems.push_back({0, "cannot complete the interrupted edit: " + settled.status().message()});
  }
  oldvek::Result<oldvek::PacketReport> checked = oldvek::CheckPacket(Files(), folder, base);
  if (!checked.ok()) {
    report.problems.push_back({0, "cannot be checked: " + checked.status().message()});
    return report;
  }
  for (oldvek::PacketProblem& problem : checked->problems) report.problems.push_back(std::move(problem));
  report.snippet_count = checked->snippet_count;
  report.page_count = checked->page_count;
  if (checked->interrupted) report.problems.push_back({0, Interrupted(options, folder, base)});
  return report;
}

int RunCheck(const CheckOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<oldvek::PacketName> packets = PacketsToReport(folder, options.packets);
  if (packets.empty()) Fail("no packets (.IDX files) in " + folder);
  nlohmann::json document = {{"folder", Name(options.folder)}, {"packets", nlohmann::json::array()}};
  bool sound = true;
  Progress progress("checking", packets.size(), options.quiet);
  for (const oldvek::PacketName& base : packets) {
    const oldvek::PacketReport report = Report(options, folder, base);
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
      progress.Step();
      continue;
    }
    progress.Clear();
    std::printf("%s: %llu snippets, %llu ZORVIT pages, %s\n", base.text().c_str(),
                static_cast<unsigned long long>(report.snippet_count),
                static_cast<unsigned long long>(report.page_count), report.problems.empty() ? "sound" : "damaged");
    for (const oldvek::PacketProblem& problem : report.problems) {
      if (problem.record == 0) {
        std::printf("  %s\n", problem.text.c_str());
      } else {
        std::printf("  snippet %llu: %s\n", static_cast<unsigned long long>(problem.record), problem.text.c_str());
      }
    }
    progress.Step();
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
  command->add_flag("--repair", options->repair, "first complete or take back an interrupted edit of each packet");
  AddQuiet(*command, options->quiet);
  SetAction(*command, [options] { return RunCheck(*options); });
}

}  // namespace vek
