#include "packets/body_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "faulty_file_system.h"
#include "temp_folder.h"

namespace oldvek {
namespace {

using namespace oldvek::testing;

constexpr char E = '\xE3';

// A packet file holding `bytes`, opened through a file system that records every read.
class BodyFile {
 public:
  explicit BodyFile(std::string_view bytes) {
    WriteFileBytes(folder_.File("BODY.VEK"), bytes);
    Result<std::unique_ptr<File>> file = file_system_.Open(folder_.File("BODY.VEK"), {});
    if (!file.ok()) throw std::runtime_error(file.status().message());
    file_ = std::move(*file);
  }

  // The lines read; the visit of line `stop_after` fails, which must end the reading.
  Result<std::vector<std::string>> Lines(uint64_t begin, uint64_t end, size_t piece_size = kBodyPieceSize,
                                         size_t stop_after = 0) {
    std::vector<std::string> lines;
    Status status = ReadBodyLines(
        *file_, begin, end,
        [&](std::string_view line) {
          lines.emplace_back(line);
          return lines.size() == stop_after ? Status::Error("enough") : Status::Ok();
        },
        piece_size);
    if (!status.ok()) return status;
    return lines;
  }

  // What CopyBodyLines appends to an empty file, checked against the count it returns.
  Result<std::string> Copied(uint64_t begin, uint64_t end, size_t piece_size) {
    const std::string path = folder_.File("COPY.VEK");
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> out,
                            FileSystem::Default().Open(path, {.disposition = Disposition::kCreateOrTruncate}));
    BufferedWriter writer(*out, 5);
    OLDVEK_ASSIGN_OR_RETURN(uint64_t copied, CopyBodyLines(*file_, begin, end, writer, piece_size));
    OLDVEK_RETURN_IF_ERROR(writer.Flush());
    std::string bytes = ReadFileBytes(path);
    if (bytes.size() != copied) return Status::Error("the count is not the bytes written");
    return bytes;
  }

  const std::vector<FaultyFileSystem::Read>& reads() const { return file_system_.reads(); }

 private:
  TempFolder folder_;
  FaultyFileSystem file_system_;
  std::unique_ptr<File> file_;
};

using Lines = std::vector<std::string>;

TEST(BodyReaderTest, ReadsOnlyTheGivenPositionsInWholePiecesThenTheRest) {
  // Positions: 1-2 "Z\xE3", body 3-6 "A\xE3B\xE3", then "C\xE3" and an unended "tail"; the byte
  // at `end` is not read.
  BodyFile file(std::string("Z") + E + "A" + E + "B" + E + "C" + E + "tail");
  EXPECT_FALSE(file.Lines(0, 3).ok());
  EXPECT_FALSE(file.Lines(1, 3, 0).ok());
  EXPECT_EQ(*file.Lines(2, 2), Lines{});
  EXPECT_EQ(*file.Lines(2, 1), Lines{});
  EXPECT_EQ(*file.Lines(13, 9999999999ULL), Lines{});
  EXPECT_TRUE(file.reads().empty());
  EXPECT_EQ(*file.Lines(3, 12, 4), (Lines{"A", "B", "C"}));
  std::vector<std::pair<uint64_t, size_t>> reads;
  for (const FaultyFileSystem::Read& read : file.reads()) reads.emplace_back(read.offset, read.size);
  EXPECT_EQ(reads, (std::vector<std::pair<uint64_t, size_t>>{{2, 4}, {6, 4}, {10, 1}}));
  // A damaged end marker must not turn into gigabytes of 0x00 bytes read into the carry.
  EXPECT_EQ(*file.Lines(3, 9999999999ULL), (Lines{"A", "B", "C"}));
  EXPECT_EQ(file.reads().back().size, 10u);
  EXPECT_EQ(*file.Lines(3, 7), (Lines{"A", "B"}));
  EXPECT_EQ(*file.Lines(3, 6), (Lines{"A"}));
  EXPECT_EQ(*file.Lines(4, 7), (Lines{"", "B"}));
}

TEST(BodyReaderTest, VisitorFailureStopsTheReading) {
  BodyFile file(std::string("one") + E + "two" + E + std::string(30000, 'x') + E + "four" + E);
  EXPECT_EQ(file.Lines(1, 40000, kBodyPieceSize, 2).status().message(), "enough");
  EXPECT_EQ(file.reads().size(), 1u) << "no piece is read after the failure";
}

// The body split in one go, as the reference the piecewise reading must match.
Lines SplitWhole(std::string_view body) {
  Lines lines;
  size_t cut;
  while ((cut = body.find(E)) != std::string_view::npos) {
    lines.emplace_back(body.substr(0, cut));
    body.remove_prefix(cut + 1);
  }
  return lines;
}

TEST(BodyReaderTest, ResultsDoNotDependOnWherePiecesEnd) {
  std::mt19937 random(20240229);
  const char alphabet[] = {'a', 'Z', ' ', '\0', '\r', '\n', E, E, E};
  for (int round = 0; round < 200; ++round) {
    // Now and then long runs without a terminator, so that lines span many pieces of every size.
    const unsigned keep_one_terminator_in = round % 40 == 0 ? 20000 : round % 5 == 0 ? 50 : 1;
    std::string bytes(std::uniform_int_distribution<size_t>(0, round % 40 == 0 ? 45000 : 2000)(random), '\0');
    for (char& c : bytes) {
      const char pick = alphabet[std::uniform_int_distribution<size_t>(0, sizeof(alphabet) - 1)(random)];
      c = pick == E && random() % keep_one_terminator_in != 0 ? 'q' : pick;
    }
    const uint64_t begin = std::uniform_int_distribution<uint64_t>(1, bytes.size() / 3 + 1)(random);
    const uint64_t end = std::uniform_int_distribution<uint64_t>(begin, bytes.size() + 20)(random);
    const std::string_view range =
        std::string_view(bytes).substr(begin - 1, std::min<uint64_t>(end, bytes.size() + 1) - begin);
    const std::string_view whole_lines = range.substr(0, range.rfind(E) + 1);  // empty when none ends
    const Lines expected = SplitWhole(whole_lines);

    BodyFile file(bytes);
    for (size_t piece_size : {1, 2, 7, 20000}) {
      Result<Lines> lines = file.Lines(begin, end, piece_size);
      ASSERT_TRUE(lines.ok()) << lines.status().message();
      ASSERT_EQ(*lines, expected) << "round " << round << ", piece size " << piece_size;
      // Copying in pieces keeps the same lines, byte for byte.
      Result<std::string> copied = file.Copied(begin, end, piece_size);
      ASSERT_TRUE(copied.ok()) << copied.status().message();
      ASSERT_EQ(*copied, whole_lines) << "round " << round << ", piece size " << piece_size;
    }
  }
}

}  // namespace
}  // namespace oldvek
