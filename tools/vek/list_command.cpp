#include <cstdio>

#include "archive.h"
#include "command.h"
#include "failure.h"
#include "packets/packet_scan.h"
#include "shown_text.h"
#include "snippet_json.h"

namespace vek {
namespace {

struct ListOptions {
  std::string folder;
  std::vector<std::string> packets;
  bool json = false;
};

// Lists one packet; what keeps it from being listed is the result.
oldvek::Status ListPacket(const ListOptions& options, const std::string& folder, const oldvek::PacketName& base,
                          nlohmann::json& document) {
  const std::string missing = MissingPacketFile(folder, base);
  if (!missing.empty())
    return oldvek::Status::Error("no packet " + base.text() + " in " + folder + " (" + missing + ")");
  if (options.json) {
    nlohmann::json snippets = nlohmann::json::array();
    uint64_t number = 0;
    for (const StoredSnippet& snippet : ReadSnippets(folder, base)) {
      snippets.push_back(SnippetJson(base, ++number, snippet.record, snippet.header));
    }
    document["packets"].push_back({{"name", Name(base)}, {"snippets", std::move(snippets)}});
    return oldvek::Status::Ok();
  }
  // Streamed: each entry is printed as the packet is read, so memory stays flat.
  bool listed = false;
  const oldvek::Status scanned =
      oldvek::ScanPacket(Files(), folder, base, {}, [&](const oldvek::ScannedSnippet& snippet) {
        if (!listed)
          std::printf("%s (%llu snippets)\n", base.text().c_str(), static_cast<unsigned long long>(snippet.count));
        listed = true;
        PrintEntry("  ", snippet.number, snippet.header, base);
        return oldvek::Status::Ok();
      });
  if (scanned.ok() && !listed) std::printf("%s (0 snippets)\n", base.text().c_str());
  return scanned;
}

// Every packet is listed that can be; each that cannot is reported, and the exit is then 3.
int RunList(const ListOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<oldvek::PacketName> packets = PacketsToReport(folder, options.packets);
  if (packets.empty()) Fail("no packets (.IDX files) in " + folder);
  nlohmann::json document = {{"folder", Name(options.folder)}, {"packets", nlohmann::json::array()}};
  size_t failed = 0;
  for (const oldvek::PacketName& base : packets) {
    oldvek::Status listed = oldvek::Status::Ok();
    try {
      listed = ListPacket(options, folder, base, document);
    } catch (const Failure& failure) {
      listed = oldvek::Status::Error(failure.what());
    }
    if (listed.ok()) continue;
    std::fflush(stdout);
    std::fprintf(stderr, "vek: %s\n", listed.message().c_str());
    ++failed;
  }
  if (options.json) PrintJson(document);
  if (failed > 0)
    Fail(std::to_string(failed) + " of " + std::to_string(packets.size()) + " packets could not be listed");
  return kDone;
}

}  // namespace

void AddListCommand(CLI::App& app) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* command =
      app.add_subcommand("list", "print the snippet list of the named packets, or of every packet in FOLDER");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packets, "packet names (any letter case)");
  AddJson(*command, options->json);
  SetAction(*command, [options] { return RunList(*options); });
}

}  // namespace vek
