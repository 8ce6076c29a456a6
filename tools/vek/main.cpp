// vek: lists, shows, searches, edits, encodes and extracts packets from a terminal.
#include <cstdio>
#include <string_view>

#include "command.h"

namespace vek {
namespace {

int Usage(FILE* out) {
  std::fprintf(out, "usage: vek <command> [arguments]\n\ncommands:\n");
  for (const Command& command : Commands()) {
    std::fprintf(out, "  %s %s\n      %s\n", command.name, command.usage, command.summary);
  }
  return out == stdout ? 0 : 2;
}

}  // namespace

std::string AsFolder(std::string folder) {
  if (folder.empty()) return folder;
  const char last = folder.back();
  if (last != '/' && last != '\\') {
#ifdef _WIN32
    folder += '\\';
#else
    folder += '/';
#endif
  }
  return folder;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vek: %s\n", message.c_str());
  return 1;
}

}  // namespace vek

int main(int argc, char** argv) {
  if (argc < 2) return vek::Usage(stderr);
  const std::string_view name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return vek::Usage(stdout);
  for (const vek::Command& command : vek::Commands()) {
    if (name == command.name) return command.run(vek::Arguments(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "vek: unknown command \"%s\"\n", argv[1]);
  return vek::Usage(stderr);
}
