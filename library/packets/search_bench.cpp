// The search's own cost per snippet: the two passes over the index, one header read per
// snippet and the decision, with callbacks that do nothing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/text.h"
#include "packets/search.h"

namespace oldvek {
namespace {

class QuietCaller final : public SearchCaller {
 public:
  std::optional<std::string> PacketEntry(int64_t) override { return "BENCH"; }
  Status ExamineSnippet(SearchCriteria&, SnippetRecord&, uint8_t&, int64_t, uint64_t, uint64_t) override {
    return Status::Ok();
  }
  bool Matches(std::string_view, std::string_view) override { return false; }
  LineBounds CodeLineBounds() override { return {}; }
  std::string CodeLine(int64_t) override { return {}; }
  Status AddMatch(int32_t, std::string_view) override { return Status::Ok(); }
};

// A packet of `count` snippets, each a header and one code line.
std::string WriteBenchPacket(int64_t count) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "oldvek-search-bench";
  std::filesystem::create_directories(folder);
  std::ofstream packet(folder / "BENCH.VEK", std::ios::binary | std::ios::trunc);
  std::ofstream index(folder / "BENCH.IDX", std::ios::binary | std::ios::trunc);
  const std::string header = PadRight("Author", 31) + PadRight("Subject", 31) + PadRight("Origin", 31) +
                             PadRight("1996-01-01", 23) + PadRight("QB45", 23) + std::string(26, ' ');
  const std::string body = "PRINT \"HELLO\"\xE3";
  for (int64_t k = 0; k < count; ++k) {
    const uint64_t start = static_cast<uint64_t>(k) * (header.size() + body.size()) + 1;
    index << ' ' << PadRight(DecimalText(start), 10) << std::string(5, ' ') << PadRight("Subject", 31)
          << PadRight("Author", 31);
    packet << header << body;
  }
  return folder.string() + "/";
}

void BM_SearchPacket(benchmark::State& state) {
  const std::string folder = WriteBenchPacket(state.range(0));
  SearchRequest request;
  request.mode = kModeAllSetOn;
  request.first = 1;
  request.last = 1;
  request.folder = folder;
  SearchCriteria criteria{};
  SnippetRecord snippet{};
  QuietCaller caller;
  for (auto _ : state) {
    const SearchOutcome outcome = SearchPackets(FileSystem::Default(), request, criteria, snippet, caller);
    if (!outcome.status.ok()) state.SkipWithError(outcome.status.message().c_str());
    benchmark::DoNotOptimize(outcome.matches);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::filesystem::remove_all(std::filesystem::path(folder));
}
BENCHMARK(BM_SearchPacket)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oldvek
