// The body reader over any bytes and range: small pieces must give the lines one piece gives.
#include <cstdlib>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "packets/body_reader.h"

using namespace oldvek;

namespace {

std::vector<std::string> Lines(File& file, uint64_t begin, uint64_t end, size_t piece_size) {
  std::vector<std::string> lines;
  Status status = ReadBodyLines(
      file, begin, end,
      [&lines](std::string_view line) {
        lines.emplace_back(line);
        return Status::Ok();
      },
      piece_size);
  if (!status.ok()) abort();
  return lines;
}

}  // namespace

// The first three bytes choose the piece size, where the range begins and how far it runs
// (past the end of the file too); the rest is the file. A refused range is a fault.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  fuzzing::MemoryFileSystem file_system;
  file_system.files["B"].assign(reinterpret_cast<const char*>(data) + 3, size - 3);
  std::unique_ptr<File> file = std::move(*file_system.Open("B", {}));
  const size_t piece_size = 1 + data[0] % 16;
  const uint64_t begin = 1 + data[1];  // positions count from 1
  const uint64_t end = begin + data[2] * 4;
  if (Lines(*file, begin, end, piece_size) != Lines(*file, begin, end, kBodyPieceSize)) abort();
  return 0;
}
