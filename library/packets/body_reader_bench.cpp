// How fast a body is split into lines: short lines, as typed code has them, and lines far
// longer than a piece, which travel through the carry.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "packets/body_reader.h"

namespace oldvek {
namespace {

constexpr size_t kBodyBytes = 64 << 20;

// A body file of lines of `line_length` bytes, each with its terminator, removed afterwards.
class BodyFile {
 public:
  explicit BodyFile(size_t line_length)
      : path_(
            (std::filesystem::temp_directory_path() / ("oldvek-body-bench-" + std::to_string(line_length))).string()) {
    std::string line(line_length, 'x');
    line.back() = '\xE3';
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    for (size_t written = 0; written < kBodyBytes; written += line.size()) out.write(line.data(), line.size());
  }
  ~BodyFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void BM_ReadBodyLines(benchmark::State& state) {
  const BodyFile body(static_cast<size_t>(state.range(0)));
  Result<std::unique_ptr<File>> file = FileSystem::Default().Open(body.path(), {});
  if (!file.ok()) {
    state.SkipWithError(file.status().message().c_str());
    return;
  }
  const uint64_t length = *(*file)->Size();
  int64_t lines = 0;
  for (auto _ : state) {
    Status status = ReadBodyLines(**file, 1, length + 1, [&lines](std::string_view line) {
      benchmark::DoNotOptimize(line.data());
      ++lines;
      return Status::Ok();
    });
    if (!status.ok()) state.SkipWithError(status.message().c_str());
  }
  state.SetItemsProcessed(lines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * length));
}
// 40-byte lines of code; 1 MB lines, each spanning 53 pieces.
BENCHMARK(BM_ReadBodyLines)->Arg(40)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace oldvek
