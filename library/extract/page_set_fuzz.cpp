// Page files as `vek decode` reads them: lines streamed into pages, ordered and decoded.
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
  fuzzing::MemoryFileSystem file_system;
  Result<std::unique_ptr<File>> out = file_system.Open("OUT", {});
  PageSetDecoder decoder(**out);
  (void)decoder.StartSource("PAGE.BAS");
  for (size_t k = 0; k < lines.size(); ++k) (void)decoder.TakeLine(lines[k], k);
  if (!decoder.CheckOrder().ok()) return 0;
  (void)decoder.Finish([&](size_t, uint64_t at, const PageLineVisitor& visit) {
    for (size_t k = at; k < lines.size() && visit(lines[k]); ++k) {
    }
    return Status::Ok();
  });
  return 0;
}
