// The export's search over one packet, with a criteria callback that accepts every snippet
// and touches nothing else: the library's own cost per snippet. Compare the time per snippet
// across sizes to see whether it grows with the packet.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "oldvek.h"
#include "packets/formats.h"

namespace oldvek {
namespace {

namespace fs = std::filesystem;

// A packet of `count` snippets of one code line each, in a fresh folder.
class SearchedPacket {
 public:
  explicit SearchedPacket(int64_t count)
      : folder_(fs::temp_directory_path() / ("oldvek-export-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    std::ofstream packet(folder_ / "BENCH.VEK", std::ios::binary);
    std::ofstream index(folder_ / "BENCH.IDX", std::ios::binary);
    SnippetHeader header;
    header.SetField(SnippetHeader::kAuthor, "Bench Author");
    header.SetField(SnippetHeader::kSubject, "Bench subject");
    const std::string body = std::string("PRINT 1") + kLineEnd;
    for (int64_t k = 0; k < count; ++k) {
      IndexRecord record;
      record.SetField({0, kIndexRecordSize}, "");
      record.set_start(1 + static_cast<uint64_t>(k) * (kHeaderSize + body.size()));
      index.write(record.bytes().data(), kIndexRecordSize);
      packet.write(header.bytes().data(), kHeaderSize);
      packet.write(body.data(), static_cast<std::streamsize>(body.size()));
    }
  }
  ~SearchedPacket() { fs::remove_all(folder_); }
  SearchedPacket(const SearchedPacket&) = delete;
  SearchedPacket& operator=(const SearchedPacket&) = delete;

  std::string folder() const { return folder_.string() + "/"; }

 private:
  fs::path folder_;
};

int32_t VEKAPI AcceptEvery(SearchCriteria*, SnippetRecord*, uint8_t*, BSTR*, SAFEARRAY**, int32_t*) { return 0; }
int32_t VEKAPI MatchNothing(BSTR*, BSTR*) { return 0; }

SAFEARRAY* OneString(const char* text) {
  SAFEARRAYBOUND bound{1, 1};
  SAFEARRAY* list = SafeArrayCreate(VT_BSTR, 1, &bound);
  LONG first = 1;
  BSTR element = SysAllocStringByteLen(text, static_cast<UINT>(std::strlen(text)));
  SafeArrayPutElement(list, &first, element);
  SysFreeString(element);
  return list;
}

void BM_ExportSearchAcceptingEverySnippet(benchmark::State& state) {
  const SearchedPacket packet(state.range(0));
  SAFEARRAY* packets = OneString("BENCH");
  const std::string folder_text = packet.folder();
  BSTR folder = SysAllocStringByteLen(folder_text.data(), static_cast<UINT>(folder_text.size()));
  CriteriaCallback criteria = &AcceptEvery;
  MatchCallback match = &MatchNothing;
  SnippetRecord snippet{};
  SearchState search_state{};
  for (auto _ : state) {
    SAFEARRAY* results = nullptr;
    // Mode 1 with the criterion byte left 0: every snippet passes.
    OldVekSearch(nullptr, 0, 1, 1, 1, &packets, &folder, &snippet, &criteria, &match, &results, &search_state);
    if (search_state.MatchCount != state.range(0)) state.SkipWithError("not every snippet passed");
    SafeArrayDestroy(results);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  SysFreeString(folder);
  SafeArrayDestroy(packets);
}
BENCHMARK(BM_ExportSearchAcceptingEverySnippet)
    ->Arg(10000)
    ->Arg(40000)
    ->Arg(100000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace oldvek
