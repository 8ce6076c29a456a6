// Page files as `vek decode` reads them: lines split into pages, ordered and decoded.
#include <string>
#include <string_view>
#include <vector>

#include "extract/page_set.h"
#include "memory_file_system.h"

using namespace oldvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
    std::string_view line = rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);  // page files end their lines with CR LF
    lines.emplace_back(line);
    (void)ParseCrcLine(lines.back());
  }
  std::vector<PageText> pages;
  SplitPages(lines, "PAGE.BAS", pages);
  Result<std::vector<const PageText*>> ordered = OrderPages(pages);
  if (!ordered.ok()) return 0;
  fuzzing::MemoryFileSystem file_system;
  Result<std::unique_ptr<File>> out = file_system.Open("OUT", {});
  (void)DecodePageSet(*ordered, **out);
  return 0;
}
