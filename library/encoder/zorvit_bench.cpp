// Encoding and decoding speed. Compare with coreutils base64 on the same sizes: encoding is
// measured per input byte, decoding per output byte (see docs/performance.md).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "encoder/zorvit_decoder.h"
#include "encoder/zorvit_encoder.h"
#include "encoder/zorvit_file_encoder.h"
#include "platform/file.h"

namespace oldvek {
namespace {

std::string RandomBytes(size_t size) {
  std::mt19937_64 random(42);
  std::string bytes(size, '\0');
  for (size_t i = 0; i + 8 <= size; i += 8) {
    const uint64_t r = random();
    std::memcpy(bytes.data() + i, &r, 8);
  }
  return bytes;
}

// Lines into a memory buffer that is emptied like a writer's buffer.
class MemoryLines final : public ZorvitLineSink {
 public:
  MemoryLines() { buffer_.reserve(1 << 16); }
  void FullLine(std::string_view line) override { Put(line); }
  void LastLine(std::string_view line) override { Put(line); }
  const std::string& buffer() const { return buffer_; }

 private:
  void Put(std::string_view line) {
    if (buffer_.size() + line.size() > buffer_.capacity()) buffer_.clear();
    buffer_.append(line);
  }
  std::string buffer_;
};

// The whole page writer: read from a file, QBasic/QB/PDS pages written to files. max_rss_MB
// is the process's peak resident size: it stays the same whatever the input size. Registered
// first, so that no other benchmark's buffers have raised it yet.
void BM_EncodeFile(benchmark::State& state) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "oldvek-bench-encode";
  std::filesystem::create_directories(folder);
  const std::string input_path = (folder / "IN.BIN").string();
  {
    Result<std::unique_ptr<File>> file =
        FileSystem::Default().Open(input_path, {Access::kReadWrite, Share::kShared, Disposition::kCreateOrTruncate});
    const std::string piece = RandomBytes(1 << 20);
    for (int64_t written = 0; file.ok() && written < state.range(0); written += piece.size()) {
      if (!(*file)->Append(piece).ok()) state.SkipWithError("cannot write the input");
    }
    if (!file.ok()) state.SkipWithError("cannot create the input");
  }
  const EncodeRequest request{input_path, "IN.BIN", folder.string() + "/", "OUT.BAS", TargetDialect::kQuickBasic};
  for (auto _ : state) {
    Result<std::vector<std::string>> pages = EncodeZorvitPages(FileSystem::Default(), request);
    if (!pages.ok()) state.SkipWithError(pages.status().message().c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_EncodeFile)->Arg(16 << 20)->Arg(256 << 20)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
  const std::string input = RandomBytes(static_cast<size_t>(state.range(0)));
  MemoryLines lines;
  ZorvitPageEncoder encoder(lines);
  for (auto _ : state) {
    encoder.Add(input);
    benchmark::DoNotOptimize(encoder.FinishPage());
    benchmark::DoNotOptimize(lines.buffer().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Encode)->Arg(156000)->Arg(16 << 20);

// The data characters of an encoding, one string per line, as extraction feeds them.
std::vector<std::string> DataLines(const std::string& input) {
  class Collect final : public ZorvitLineSink {
   public:
    void FullLine(std::string_view line) override { lines.emplace_back(line.substr(2, line.size() - 4)); }
    void LastLine(std::string_view line) override { lines.emplace_back(line.substr(2, line.size() - 4)); }
    std::vector<std::string> lines;
  } collect;
  ZorvitPageEncoder encoder(collect);
  encoder.Add(input);
  (void)encoder.FinishPage();
  return collect.lines;
}

void BM_Decode(benchmark::State& state) {
  const std::vector<std::string> lines = DataLines(RandomBytes(static_cast<size_t>(state.range(0))));
  std::string out;
  out.reserve(1 << 16);
  for (auto _ : state) {
    ZorvitDecoder decoder;
    for (const std::string& line : lines) {
      if (out.size() + line.size() > out.capacity()) out.clear();
      decoder.Feed(line, out);
    }
    benchmark::DoNotOptimize(decoder.checksum());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Decode)->Arg(156000)->Arg(16 << 20);

}  // namespace
}  // namespace oldvek
