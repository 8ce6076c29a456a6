#include "encoder/zorvit_decoder.h"

#include <gtest/gtest.h>

#include <string>

namespace oldvek {
namespace {

using namespace std::string_literals;

// Well-formed text (the encoder's worked examples in a row) and damaged text, decoded as the
// generated program would: whole and cut into pieces of every size, after bytes already held.
TEST(ZorvitDecoderTest, TextCutAnywhereDecodesAsTheGeneratedProgramWould) {
  struct Case {
    std::string text;
    std::string bytes;
    int checksum;
  };
  const Case cases[] = {
      {"M74;;[%#$x#%%%%$%%%%&>", "hell\0\x1B;\xFF\0\0\0V\xACV\0\xACo"s, (143 + 223 + 27 + 59) & 255},
      // A trailing blank after a whole group is read as a prefix: no byte, but S moves.
      {"M74;; ", "hell", (40 + 18 + 15 + 22 + 22 - 69) & 255},
      // The encoder writes prefixes 27 and 59 as # and $; @ and ` have the same values.
      {"@%%%%`%%%%", "\0\0\0V\xACV\0\xAC"s, 27 + 59},
      // A closing quote read as a low digit writes the low 8 bits of -5 and still counts.
      {"%\"", "\xFB", 251},
      // A character above the alphabet: prefix 2 puts 172 on a value of 163, low 8 bits 79.
      {"'\xC8", "\x4F", (2 + 163) & 255},
      // A prefix above 80 leaves K at 4 after four digits, so a fifth byte follows.
      {"z%%%%%M", "VV\0\0V"s, (85 + 40) & 255},
      // A control character as a prefix gives a negative K, so the next character is a prefix too.
      {std::string("\x01", 1) + "&>", "o", (-1061 + 1 + 25) & 255},
  };
  for (const Case& c : cases) {
    for (size_t piece = 1; piece <= c.text.size(); ++piece) {
      ZorvitDecoder decoder;
      std::string bytes = "kept";
      for (size_t at = 0; at < c.text.size(); at += piece)
        decoder.Feed(std::string_view(c.text).substr(at, piece), bytes);
      EXPECT_EQ(bytes, "kept" + c.bytes) << c.text << " in pieces of " << piece;
      EXPECT_EQ(decoder.checksum(), c.checksum) << c.text << " in pieces of " << piece;
      EXPECT_EQ(decoder.byte_count(), c.bytes.size()) << c.text << " in pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace oldvek
