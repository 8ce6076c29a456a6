// Deleting one snippet rewrites the whole packet, so it is measured against copying the
// packet file: the target is at most one and a half times a copy.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "editing/snippet_deletion.h"
#include "packets/formats.h"

namespace oldvek {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kPacketBytes = 200ull << 20;
constexpr int kLinesPerSnippet = 60;

// A packet of snippets of 60 lines of 64 bytes, about 4 KB each, in a fresh folder.
class LargePacket {
 public:
  LargePacket() : folder_(fs::temp_directory_path() / ("oldvek-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
    std::ofstream packet(folder_ / "BIG.VEK", std::ios::binary);
    std::ofstream index(folder_ / "BIG.IDX", std::ios::binary);
    const std::string header(kHeaderSize, 'H');
    std::string line(63, 'x');
    line += kLineEnd;
    uint64_t start = 1;
    while (start < kPacketBytes) {
      IndexRecord record;
      record.SetField({0, kIndexRecordSize}, "");
      record.set_start(start);
      index.write(record.bytes().data(), kIndexRecordSize);
      packet.write(header.data(), kHeaderSize);
      for (int i = 0; i < kLinesPerSnippet; ++i) packet.write(line.data(), static_cast<std::streamsize>(line.size()));
      start += kHeaderSize + kLinesPerSnippet * line.size();
    }
  }
  ~LargePacket() { fs::remove_all(folder_); }

  std::string folder() const { return folder_.string() + "/"; }
  uint64_t size() const { return fs::file_size(folder_ / "BIG.VEK"); }

 private:
  fs::path folder_;
};

LargePacket& Packet() {
  static LargePacket packet;
  return packet;
}

void BM_DeleteFirstSnippet(benchmark::State& state) {
  LargePacket& packet = Packet();
  for (auto _ : state) {
    const Status status = DeleteSnippet(FileSystem::Default(), packet.folder(), *PacketName::Make("BIG"), 1);
    if (!status.ok()) state.SkipWithError(status.message().c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.size()));
}
BENCHMARK(BM_DeleteFirstSnippet)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: the same packet copied as a file, as cp does it (the deletion also
// flushes its new files to disk, which a copy does not).
void BM_CopyPacketFile(benchmark::State& state) {
  LargePacket& packet = Packet();
  const fs::path from = packet.folder() + "BIG.VEK";
  const fs::path to = packet.folder() + "COPY.VEK";
  for (auto _ : state) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packet.size()));
}
BENCHMARK(BM_CopyPacketFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace oldvek
