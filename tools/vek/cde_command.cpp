#include <cstdio>

#include "command.h"
#include "extract/code_file_writer.h"
#include "options.h"
#include "packets/snippet_entry.h"

namespace vek {

// vek cde FOLDER OUT.CDE PACKET...: every snippet of the named packets in one code file.
int RunCde(const Arguments& arguments) {
  std::string error;
  const std::optional<ParsedArguments> parsed = ParseArguments(arguments, {"lead", "header"}, error);
  if (!parsed) return Fail("cde: " + error);
  if (parsed->positional.size() < 3) return Fail("cde: expected FOLDER OUT.CDE PACKET...");
  oldvek::CodeFileRequest request;
  request.folder = AsFolder(parsed->positional[0]);
  request.path = parsed->positional[1];
  request.lead_text = parsed->Option("lead").value_or("");
  request.header_number = std::stoi(parsed->Option("header").value_or("1"));
  for (size_t i = 2; i < parsed->positional.size(); ++i) {
    request.chosen.push_back({i - 1, std::string(oldvek::PacketBaseName(parsed->positional[i]))});
  }
  request.packet_count = request.chosen.size();
  oldvek::CodeFileProgress full_speed;
  const oldvek::Result<oldvek::CodeFileOutcome> outcome =
      oldvek::WriteCodeFile(oldvek::FileSystem::Default(), request, full_speed);
  if (!outcome.ok()) return Fail("cde: " + outcome.status().message());
  for (const std::string& line : outcome->left_out) std::fprintf(stderr, "vek: cde: left out %s\n", line.c_str());
  return outcome->left_out.empty() ? 0 : 1;
}

}  // namespace vek
