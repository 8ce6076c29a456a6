#include "encoder/zorvit_encoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace oldvek {
namespace {

struct EncodedPage {
  std::vector<std::string> full_lines;
  std::string last_line;  // empty when the page ends on a full line
  int checksum = -1;
};

class LineRecorder final : public ZorvitLineSink {
 public:
  explicit LineRecorder(EncodedPage& page) : page_(page) {}
  void FullLine(std::string_view line) override {
    EXPECT_TRUE(page_.last_line.empty()) << "a full line after the last line";
    page_.full_lines.emplace_back(WithoutLineEnd(line));
  }
  void LastLine(std::string_view line) override { page_.last_line = WithoutLineEnd(line); }

 private:
  static std::string_view WithoutLineEnd(std::string_view line) {
    EXPECT_TRUE(line.ends_with("\r\n")) << line;
    line.remove_suffix(2);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
    return line;
  }

  EncodedPage& page_;
};

EncodedPage Encode(std::string_view bytes) {
  EncodedPage page;
  LineRecorder recorder(page);
  ZorvitPageEncoder encoder(recorder);
  encoder.Add(bytes);
  page.checksum = encoder.FinishPage();
  return page;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

std::string Repeat(std::string_view text, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

TEST(ZorvitEncoderTest, WorkedExamples) {
  struct Case {
    std::string bytes;
    std::string line;
    int checksum;
  };
  const Case cases[] = {
      {"xyz", "U\"2GHI", 118},                     // a short group: prefix 13, lows 34 35 36
      {"hello", "U\"M74;;&>", 143},                // a full group, then a one-byte group
      {Bytes({0, 27, 59, 255}), "U\"[%#$x", 223},  // low digits 27 and 59 are # and $
      {Bytes({0, 0, 0, 86}), "U\"#%%%%", 27},      // prefix 27 is written #
      {Bytes({172, 86, 0, 172}), "U\"$%%%%", 59},  // prefix 59 is written $
      {"A", "U\"%f", 65},                          // one byte: prefix and low digit
      {Bytes({255}), "U\"'x", 85},
  };
  for (const Case& c : cases) {
    const EncodedPage page = Encode(c.bytes);
    EXPECT_TRUE(page.full_lines.empty()) << c.line;
    EXPECT_EQ(page.last_line, c.line);
    EXPECT_EQ(page.checksum, c.checksum) << c.line;
  }
}

TEST(ZorvitEncoderTest, SixtyTwoBytesFillExactlyOneLine) {
  // "A" is 65: high digit 0, low digit 65 ("f"); a group of four is "%ffff".
  const EncodedPage page = Encode(std::string(62, 'A'));
  ASSERT_EQ(page.full_lines.size(), 1u);
  EXPECT_EQ(page.full_lines[0], "U\"" + Repeat("%ffff", 15) + "%ff");
  EXPECT_EQ(page.full_lines[0].size(), 80u);
  EXPECT_EQ(page.last_line, "");
  EXPECT_EQ(page.checksum, (62 * 65) & 255);
}

TEST(ZorvitEncoderTest, SixtyThreeBytesBreakTheLastGroupAcrossLines) {
  const EncodedPage page = Encode(std::string(63, 'A'));
  ASSERT_EQ(page.full_lines.size(), 1u);
  EXPECT_EQ(page.full_lines[0], "U\"" + Repeat("%ffff", 15) + "%ff");
  EXPECT_EQ(page.last_line, "U\"f");
}

TEST(ZorvitEncoderTest, EmptyPageHasNoLines) {
  const EncodedPage page = Encode("");
  EXPECT_TRUE(page.full_lines.empty());
  EXPECT_EQ(page.last_line, "");
  EXPECT_EQ(page.checksum, 0);
}

TEST(ZorvitEncoderTest, ChecksumWrapsAtTwoHundredFiftySix) {
  // Each "zzzz" group: prefix 1+3+9+27 = 40, low digits 36 each: 184 per group.
  const EncodedPage page = Encode(std::string(8, 'z'));
  EXPECT_EQ(page.last_line, "U\"MIIIIMIIII");
  EXPECT_EQ(page.checksum, (2 * 184) & 255);
}

TEST(ZorvitEncoderTest, InputCutAnywhereEncodesAlike) {
  std::mt19937 random(7);
  std::string bytes(5000, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  const EncodedPage whole = Encode(bytes);

  for (size_t piece : {1u, 2u, 3u, 5u, 7u, 77u, 78u, 79u, 80u, 1000u}) {
    EncodedPage cut;
    LineRecorder recorder(cut);
    ZorvitPageEncoder encoder(recorder);
    for (size_t at = 0; at < bytes.size(); at += piece) encoder.Add(std::string_view(bytes).substr(at, piece));
    cut.checksum = encoder.FinishPage();
    EXPECT_EQ(cut.full_lines, whole.full_lines) << piece;
    EXPECT_EQ(cut.last_line, whole.last_line) << piece;
    EXPECT_EQ(cut.checksum, whole.checksum) << piece;
  }
}

TEST(ZorvitEncoderTest, FinishingStartsAFreshPage) {
  EncodedPage lines;
  LineRecorder recorder(lines);
  ZorvitPageEncoder encoder(recorder);
  // 70 bytes are 88 characters: a full line, then 10 characters with stale text behind them.
  encoder.Add(std::string(70, 'A'));
  EXPECT_EQ(encoder.FinishPage(), (70 * 65) & 255);
  EXPECT_EQ(lines.last_line, "U\"ff%ffff%ff");

  encoder.Add("xy");  // a group cut between two calls
  encoder.Add("z");
  EXPECT_EQ(encoder.FinishPage(), 118);
  EXPECT_EQ(lines.last_line, "U\"2GHI");
  EXPECT_EQ(lines.full_lines.size(), 1u);
}

}  // namespace
}  // namespace oldvek
