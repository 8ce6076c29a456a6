// The viewer over a damaged help file, shown in the terminal front-end's view: the first topic,
// every contents and see-also entry (a few of each), and a search for a line of the file.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "terminal/terminal_view.h"
#include "viewer.h"

using namespace vekhelp;

namespace {

constexpr size_t kEntriesOpened = 4;

// The viewer reads a file by its path: one file of this process's own serves every input.
struct FuzzFile {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("vekhelp-fuzz-" + std::to_string(getpid()) + ".cfg")).string();
  ~FuzzFile() { std::filesystem::remove(path); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzFile file;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(file.path, std::ios::binary | std::ios::trunc) << bytes;
  TerminalView display;
  Viewer viewer(HelpFile(file.path), display);
  viewer.Start(kIntroductionHeader);
  const std::vector<std::string> contents = viewer.lists().contents_entries;
  for (size_t i = 0; i < std::min(contents.size(), kEntriesOpened); ++i) viewer.OpenContentsEntry(contents[i]);
  const std::vector<std::string> see_also = viewer.lists().see_also_entries;
  for (size_t i = 0; i < std::min(see_also.size(), kEntriesOpened); ++i) viewer.OpenSeeAlsoEntry(see_also[i]);
  viewer.Search(bytes.substr(bytes.rfind('\n') + 1));
  return 0;
}
