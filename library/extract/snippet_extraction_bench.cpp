// Extraction of a large attachment: the speed per decoded byte, and the process's peak
// resident size (max_rss_MB), which must stay under 32 MB for a 200 MB attachment because the
// body is read in pieces and decoded bytes go straight to the output (see docs/performance.md).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "encoder/zorvit_file_encoder.h"
#include "extract/snippet_extraction.h"
#include "platform/buffered_writer.h"
#include "platform/file.h"

namespace oldvek {
namespace {

constexpr OpenOptions kNewFile{Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate};
constexpr size_t kChunk = 1 << 20;

Status WriteRandomFile(const std::string& path, uint64_t size) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> file, FileSystem::Default().Open(path, kNewFile));
  std::mt19937_64 random(1994);
  std::string chunk(kChunk, '\0');
  for (uint64_t written = 0; written < size; written += chunk.size()) {
    for (size_t i = 0; i < chunk.size(); i += 8) {
      const uint64_t r = random();
      std::memcpy(chunk.data() + i, &r, 8);
    }
    chunk.resize(static_cast<size_t>(std::min<uint64_t>(chunk.size(), size - written)));
    OLDVEK_RETURN_IF_ERROR(file->Append(chunk));
  }
  return file->Close();
}

// Packet BIG of one snippet: a header, then the page's lines with 0xE3 in place of CR LF.
Status WritePagePacket(const std::string& page_path, const std::string& folder) {
  OLDVEK_ASSIGN_OR_RETURN(
      std::unique_ptr<File> page,
      FileSystem::Default().Open(page_path, {Access::kRead, Share::kShared, Disposition::kOpenExisting}));
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> packet, FileSystem::Default().Open(folder + "BIG.VEK", kNewFile));
  OLDVEK_ASSIGN_OR_RETURN(uint64_t size, page->Size());
  BufferedWriter out(*packet);
  out.Write(std::string(165, ' '));
  std::string chunk(kChunk, '\0');
  for (uint64_t at = 0; at < size; at += chunk.size()) {
    chunk.resize(static_cast<size_t>(std::min<uint64_t>(kChunk, size - at)));
    OLDVEK_RETURN_IF_ERROR(page->ReadAt(at, chunk));
    for (char c : chunk) {
      if (c == '\n')
        out.Put('\xE3');
      else if (c != '\r')
        out.Put(c);
    }
  }
  OLDVEK_RETURN_IF_ERROR(out.Flush());
  OLDVEK_RETURN_IF_ERROR(packet->Close());
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, FileSystem::Default().Open(folder + "BIG.IDX", kNewFile));
  OLDVEK_RETURN_IF_ERROR(index->Append("*1" + std::string(76, ' ')));
  return index->Close();
}

// One PowerBASIC page of a random file of the given size, extracted in attachment mode.
void BM_ExtractAttachment(benchmark::State& state) {
  const std::filesystem::path folder_path = std::filesystem::temp_directory_path() / "oldvek-bench-extract";
  std::filesystem::create_directories(folder_path);
  const std::string folder = folder_path.string() + "/";
  const uint64_t size = static_cast<uint64_t>(state.range(0));
  Status made = WriteRandomFile(folder + "IN.BIN", size);
  if (made.ok()) {
    Result<std::vector<std::string>> pages = EncodeZorvitPages(
        FileSystem::Default(), {folder + "IN.BIN", "IN.BIN", folder, "IN.BAS", TargetDialect::kPowerBasic});
    made = pages.ok() ? WritePagePacket(pages->front(), folder) : pages.status();
  }
  std::filesystem::remove(folder_path / "IN.BIN");
  std::filesystem::remove(folder_path / "IN.BAS");
  if (!made.ok()) state.SkipWithError(made.message().c_str());

  for (auto _ : state) {
    Result<ExtractionOutcome> outcome =
        ExtractSnippet(FileSystem::Default(), "00001~s~a~c~BIG.VEK~1", folder, folder + "OUT.BIN", kAttachmentMode);
    if (!outcome.ok()) {
      state.SkipWithError(outcome.status().message().c_str());
    } else if (!outcome.value().check.verified() || outcome.value().check.byte_count != size) {
      state.SkipWithError("the attachment did not come out whole");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["max_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  std::filesystem::remove_all(folder_path);
}
BENCHMARK(BM_ExtractAttachment)->Arg(16 << 20)->Arg(200'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace oldvek
