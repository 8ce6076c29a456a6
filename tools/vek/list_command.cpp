#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "command.h"
#include "packets/index_builder.h"
#include "packets/snippet_entry.h"

namespace vek {
// Base names of the packets in a folder: every file with the extension ".IDX", sorted.
std::vector<std::string> PacketsIn(const std::string& folder) {
  std::vector<std::string> bases;
  std::error_code error;
  for (const auto& file : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& path = file.path();
    if (path.extension() == ".IDX") bases.push_back(path.stem().string());
  }
  std::sort(bases.begin(), bases.end());
  return bases;
}

int RunList(const Arguments& arguments) {
  if (arguments.empty()) return Fail("list: which folder?");
  const std::string folder = AsFolder(arguments[0]);
  std::vector<std::string> packets(arguments.begin() + 1, arguments.end());
  if (packets.empty()) packets = PacketsIn(folder);
  if (packets.empty()) return Fail("list: no packets (.IDX files) in " + folder);
  for (const std::string& packet : packets) {
    oldvek::Result<std::vector<std::string>> entries =
        oldvek::BuildSnippetList(oldvek::FileSystem::Default(), folder, oldvek::PacketBaseName(packet));
    if (!entries.ok()) return Fail(entries.status().message());
    std::printf("%s (%zu snippets)\n", std::string(oldvek::PacketBaseName(packet)).c_str(), entries->size());
    for (const std::string& entry : *entries) std::printf("  %s\n", entry.c_str());
  }
  return 0;
}

}  // namespace vek
