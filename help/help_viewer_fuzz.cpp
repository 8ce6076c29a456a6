// The viewer over a damaged help file: the first topic, every contents and see-also entry
// (a few of each), and a search for a line of the file.
#include <algorithm>
#include <string>
#include <vector>

#include "testing/temp_help_file.h"
#include "viewer.h"

using namespace vekhelp;

namespace {

class NoDisplay final : public ViewerDisplay {
 public:
  void ShowContents(const std::vector<std::string>&) override {}
  void SelectContents(size_t) override {}
  void ShowTopicText(const std::string&) override {}
  void ShowSeeAlso(const std::vector<std::string>&) override {}
};

constexpr size_t kEntriesOpened = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const testing::TempHelpFile help_file;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  help_file.WriteBytes(bytes);
  NoDisplay display;
  Viewer viewer(help_file.file(), display);
  viewer.Start(kIntroductionHeader);
  const std::vector<std::string> contents = viewer.lists().contents_entries;
  for (size_t i = 0; i < std::min(contents.size(), kEntriesOpened); ++i) viewer.OpenContentsEntry(contents[i]);
  const std::vector<std::string> see_also = viewer.lists().see_also_entries;
  for (size_t i = 0; i < std::min(see_also.size(), kEntriesOpened); ++i) viewer.OpenSeeAlsoEntry(see_also[i]);
  viewer.Search(bytes.substr(bytes.rfind('\n') + 1));
  return 0;
}
