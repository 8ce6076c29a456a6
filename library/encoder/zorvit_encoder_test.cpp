#include "encoder/zorvit_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <utility>

namespace oldvek {
namespace {

using namespace std::string_literals;

// A page's data lines as the encoder hands them over, the last one (when the page does not end
// on a full line) marked as such.
struct EncodedPage final : ZorvitLineSink {
  void FullLine(std::string_view line) override { lines.append(line); }
  void LastLine(std::string_view line) override { lines.append("last ").append(line); }

  std::string lines;
};

// Encodes `bytes` as one page, handed over at once: its lines and its S.
std::pair<std::string, int> Encode(std::string_view bytes) {
  EncodedPage page;
  ZorvitPageEncoder encoder(page);
  encoder.Add(bytes);
  const int checksum = encoder.FinishPage();
  return {page.lines, checksum};
}

TEST(ZorvitEncoderTest, WorkedExamples) {
  // "A" is 65: high digit 0, low digit 65 ("f"); a group of four is "%ffff".
  std::string line_of_a = "U\"";
  for (int i = 0; i < 15; ++i) line_of_a += "%ffff";
  line_of_a += "%ff\r\n";
  const std::tuple<std::string, std::string, int> cases[] = {
      {"xyz", "last U\"2GHI\r\n", 118},            // a short group: prefix 13, lows 34 35 36
      {"hello", "last U\"M74;;&>\r\n", 143},       // a full group, then a one-byte group
      {"\0\x1B;\xFF"s, "last U\"[%#$x\r\n", 223},  // low digits 27 and 59 are # and $
      {"\0\0\0V"s, "last U\"#%%%%\r\n", 27},       // prefix 27 is written #
      {"\xACV\0\xAC"s, "last U\"$%%%%\r\n", 59},   // prefix 59 is written $
      {"A", "last U\"%f\r\n", 65},                 // one byte: prefix and low digit
      {"\xFF", "last U\"'x\r\n", 85},
      {"", "", 0},
      // Each "zzzz" group: prefix 40, low digits 36 each: 184 per group, and S wraps.
      {std::string(8, 'z'), "last U\"MIIIIMIIII\r\n", (2 * 184) & 255},
      {std::string(62, 'A'), line_of_a, (62 * 65) & 255},                    // exactly one 80-character line
      {std::string(63, 'A'), line_of_a + "last U\"f\r\n", (63 * 65) & 255},  // the last group breaks across lines
  };
  for (const auto& [bytes, lines, checksum] : cases) EXPECT_EQ(Encode(bytes), std::pair(lines, checksum));
}

// However the input is cut, and whatever page the encoder finished before, a page encodes
// alike: one encoder makes pages of different lengths, each cut its own way. The page of
// 4991 bytes ends one character short of a full line.
TEST(ZorvitEncoderTest, InputCutAnywhereEncodesAlike) {
  std::mt19937 random(7);
  std::string bytes(5000, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  EncodedPage cut;
  ZorvitPageEncoder encoder(cut);
  size_t skip = 0;
  for (size_t piece : {1u, 2u, 3u, 5u, 7u, 77u, 78u, 79u, 80u, 1000u}) {
    const std::string_view page = std::string_view(bytes).substr(skip);
    skip += 9;
    cut.lines.clear();
    for (size_t at = 0; at < page.size(); at += piece) encoder.Add(page.substr(at, piece));
    const int checksum = encoder.FinishPage();
    EXPECT_EQ(std::pair(cut.lines, checksum), Encode(page)) << piece;
  }
}

}  // namespace
}  // namespace oldvek
