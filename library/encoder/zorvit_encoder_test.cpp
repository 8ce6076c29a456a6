#include "encoder/zorvit_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace oldvek {
namespace {

using namespace std::string_literals;

// A page's data lines, each without the CR LF it must end with.
struct EncodedPage final : ZorvitLineSink {
  void FullLine(std::string_view line) override { full_lines.push_back(WithoutLineEnd(line)); }
  void LastLine(std::string_view line) override { last_line = WithoutLineEnd(line); }
  static std::string WithoutLineEnd(std::string_view line) {
    EXPECT_TRUE(line.ends_with("\r\n")) << line;
    return std::string(line.substr(0, line.find_first_of("\r\n")));  // a CR or LF within cuts it short
  }

  auto Made() const { return std::tie(full_lines, last_line, checksum); }

  std::vector<std::string> full_lines;
  std::string last_line;  // empty when the page ends on a full line
  int checksum = -1;
};

// Encodes `bytes` as one page, handed over at once.
EncodedPage Encode(std::string_view bytes) {
  EncodedPage page;
  ZorvitPageEncoder encoder(page);
  encoder.Add(bytes);
  page.checksum = encoder.FinishPage();
  return page;
}

TEST(ZorvitEncoderTest, WorkedExamples) {
  // "A" is 65: high digit 0, low digit 65 ("f"); a group of four is "%ffff".
  std::string line_of_a = "U\"";
  for (int i = 0; i < 15; ++i) line_of_a += "%ffff";
  line_of_a += "%ff";
  struct Case {
    std::string bytes;
    std::string last_line;
    int checksum;
    std::vector<std::string> full_lines = {};
  };
  const Case cases[] = {
      {"xyz", "U\"2GHI", 118},                // a short group: prefix 13, lows 34 35 36
      {"hello", "U\"M74;;&>", 143},           // a full group, then a one-byte group
      {"\0\x1B;\xFF"s, "U\"[%#$x", 223},     // low digits 27 and 59 are # and $
      {"\0\0\0V"s, "U\"#%%%%", 27},           // prefix 27 is written #
      {"\xACV\0\xAC"s, "U\"$%%%%", 59},       // prefix 59 is written $
      {"A", "U\"%f", 65},                     // one byte: prefix and low digit
      {"\xFF", "U\"'x", 85},
      {"", "", 0},
      // Each "zzzz" group: prefix 40, low digits 36 each: 184 per group, and S wraps.
      {std::string(8, 'z'), "U\"MIIIIMIIII", (2 * 184) & 255},
      {std::string(62, 'A'), "", (62 * 65) & 255, {line_of_a}},  // exactly one 80-character line
      {std::string(63, 'A'), "U\"f", (63 * 65) & 255, {line_of_a}},  // the last group breaks across lines
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Encode(c.bytes).Made(), std::tie(c.full_lines, c.last_line, c.checksum));
  }
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
    cut.full_lines.clear();
    cut.last_line.clear();
    for (size_t at = 0; at < page.size(); at += piece) encoder.Add(page.substr(at, piece));
    cut.checksum = encoder.FinishPage();
    EXPECT_EQ(cut.Made(), Encode(page).Made()) << piece;
  }
}

}  // namespace
}  // namespace oldvek
