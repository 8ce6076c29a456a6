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

int RunList(const ListOptions& options) {
  const std::string folder = ExistingFolder(options.folder);
  const std::vector<std::string> packets = ChosenPackets(folder, options.packets);
  if (packets.empty()) Fail("no packets (.IDX files) in " + folder);
  nlohmann::json document = {{"folder", Name(options.folder)}, {"packets", nlohmann::json::array()}};
  for (const std::string& base : packets) {
    if (options.json) {
      nlohmann::json snippets = nlohmann::json::array();
      uint64_t number = 0;
      for (const StoredSnippet& snippet : ReadSnippets(folder, base)) {
        snippets.push_back(SnippetJson(base, ++number, snippet.record, snippet.header));
      }
      document["packets"].push_back({{"name", Name(base)}, {"snippets", std::move(snippets)}});
      continue;
    }
    // Streamed: each entry is printed as the packet is read, so memory stays flat.
    bool listed = false;
    Must(oldvek::ScanPacket(Files(), folder, base, {}, [&](const oldvek::ScannedSnippet& snippet) {
      if (!listed) std::printf("%s (%llu snippets)\n", base.c_str(), static_cast<unsigned long long>(snippet.count));
      listed = true;
      PrintEntry("  ", snippet.number, snippet.header, base);
      return oldvek::Status::Ok();
    }));
    if (!listed) std::printf("%s (0 snippets)\n", base.c_str());
  }
  if (options.json) PrintJson(document);
  return kDone;
}

}  // namespace

void AddListCommand(CLI::App& app) {
  auto options = std::make_shared<ListOptions>();
  CLI::App* command = app.add_subcommand("list", "print the snippet list of the named packets, or of every packet in FOLDER");
  command->add_option("FOLDER", options->folder, "the archive folder")->required();
  command->add_option("PACKET", options->packets, "packet names (any letter case)");
  AddJson(*command, options->json);
  SetAction(*command, [options] { return RunList(*options); });
}

}  // namespace vek
