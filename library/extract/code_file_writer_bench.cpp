// How fast packets are gathered into a code file, and that memory stays flat however large a
// snippet is: every snippet is fetched through retrieval (two opens and a read mark each), its
// lines stream out as they are read.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "extract/code_file_writer.h"
#include "packets/formats.h"

namespace oldvek {
namespace {

// A packet of `snippets` snippets of `lines` lines of `line_length` bytes in a folder of its
// own, removed afterwards.
class BenchPacket {
 public:
  BenchPacket(int snippets, int lines, size_t line_length)
      : folder_(std::filesystem::temp_directory_path() / ("oldvek-cde-bench-" + std::to_string(snippets) + "-" +
                                                          std::to_string(lines) + "-" + std::to_string(line_length))) {
    std::filesystem::create_directories(folder_);
    std::ofstream packet(folder_ / "BENCH.VEK", std::ios::binary | std::ios::trunc);
    std::ofstream index(folder_ / "BENCH.IDX", std::ios::binary | std::ios::trunc);
    std::string line(line_length, 'x');
    line += kLineEnd;
    uint64_t start = 1;
    for (int k = 0; k < snippets; ++k) {
      SnippetHeader header;
      header.SetField(SnippetHeader::kSubject, "Snippet " + std::to_string(k));
      IndexRecord record;
      record.set_flag('*');
      record.set_start(start);
      index.write(record.bytes().data(), kIndexRecordSize);
      packet.write(header.bytes().data(), kHeaderSize);
      for (int i = 0; i < lines; ++i) packet.write(line.data(), static_cast<std::streamsize>(line.size()));
      start += kHeaderSize + static_cast<uint64_t>(lines) * line.size();
    }
    bytes_ = start - 1;
  }
  ~BenchPacket() { std::filesystem::remove_all(folder_); }

  std::string folder() const { return folder_.string() + "/"; }
  uint64_t bytes() const { return bytes_; }

 private:
  std::filesystem::path folder_;
  uint64_t bytes_ = 0;
};

// Arguments: snippets, lines per snippet, line length. max_rss_MB is the process's peak.
void BM_WriteCodeFile(benchmark::State& state) {
  const int snippets = static_cast<int>(state.range(0));
  const BenchPacket packet(snippets, static_cast<int>(state.range(1)), static_cast<size_t>(state.range(2)));
  CodeFileRequest request;
  request.path = packet.folder() + "OUT.CDE";
  request.folder = packet.folder();
  request.packet_count = 1;
  request.chosen = {{1, *PacketName::Make("BENCH")}};
  CodeFileProgress full_speed;
  for (auto _ : state) {
    Result<CodeFileOutcome> outcome = WriteCodeFile(FileSystem::Default(), request, full_speed);
    if (!outcome.ok()) state.SkipWithError(outcome.status().message().c_str());
  }
  state.SetItemsProcessed(state.iterations() * snippets);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.bytes()));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
// Typed snippets: 20000 of 30 lines of 40 bytes. One snippet of 64 MiB in 1 KiB lines, and one
// of 256 MiB: the peak stays where it was.
BENCHMARK(BM_WriteCodeFile)->Args({20000, 30, 40})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCodeFile)->Args({1, 1 << 16, 1023})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCodeFile)->Args({1, 1 << 18, 1023})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oldvek
