#include "encoder/zorvit_decoder.h"

#include <gtest/gtest.h>

#include <string>

#include "encoder/zorvit_alphabet.h"

namespace oldvek {
namespace {

struct Decoded {
  std::string bytes;
  int checksum;
  uint64_t byte_count;
};

Decoded Decode(std::string_view characters) {
  ZorvitDecoder decoder;
  std::string bytes;
  decoder.Feed(characters, bytes);
  return {bytes, decoder.checksum(), decoder.byte_count()};
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

TEST(ZorvitAlphabetTest, CharacterToValueRuleInvertsTheTable) {
  for (int value = 0; value < kZorvitBase; ++value) {
    EXPECT_EQ(ZorvitValue(static_cast<unsigned char>(ZorvitCharacter(value))), value) << value;
  }
  EXPECT_EQ(ZorvitCharacter(27), '#');
  EXPECT_EQ(ZorvitCharacter(59), '$');
  EXPECT_EQ(ZorvitCharacter(0), '%');
  EXPECT_EQ(ZorvitCharacter(28), 'A');
  EXPECT_EQ(ZorvitCharacter(85), 'z');
  // Characters that the encoder never writes still have the values SUB U gives them.
  EXPECT_EQ(ZorvitValue('@'), 27);
  EXPECT_EQ(ZorvitValue('`'), 59);
  EXPECT_EQ(ZorvitValue('"'), -5);
  EXPECT_EQ(ZorvitValue(' '), -69);
  EXPECT_EQ(ZorvitValue(0), -1093);
  EXPECT_EQ(ZorvitValue(200), 163);
}

TEST(ZorvitDecoderTest, WorkedExamples) {
  const Decoded xyz = Decode("2GHI");
  EXPECT_EQ(xyz.bytes, "xyz");
  EXPECT_EQ(xyz.checksum, 118);
  EXPECT_EQ(xyz.byte_count, 3u);

  const Decoded hello = Decode("M74;;&>");
  EXPECT_EQ(hello.bytes, "hello");
  EXPECT_EQ(hello.checksum, 143);
  EXPECT_EQ(hello.byte_count, 5u);

  EXPECT_EQ(Decode("[%#$x").bytes, Bytes({0, 27, 59, 255}));
  EXPECT_EQ(Decode("#%%%%").bytes, Bytes({0, 0, 0, 86}));
  EXPECT_EQ(Decode("$%%%%").bytes, Bytes({172, 86, 0, 172}));
}

TEST(ZorvitDecoderTest, EveryByteValueInEveryPlaceOfAGroup) {
  std::string encoded;
  std::string expected;
  for (int place = 0; place < 4; ++place) {
    for (int b = 0; b < 256; ++b) {
      int prefix = 0;
      std::string lows;
      for (int i = 0; i < 4; ++i) {
        const int byte = i == place ? b : 85;
        prefix += (byte / 86) * (i == 0 ? 1 : i == 1 ? 3 : i == 2 ? 9 : 27);
        lows += ZorvitCharacter(byte % 86);
        expected.push_back(static_cast<char>(byte));
      }
      encoded += ZorvitCharacter(prefix) + lows;
    }
  }
  EXPECT_EQ(Decode(encoded).bytes, expected);
}

TEST(ZorvitDecoderTest, TextCutAnywhereDecodesAlike) {
  const std::string text = "M74;;[%#$x#%%%%$%%%%&>";
  const Decoded whole = Decode(text);
  for (size_t piece = 1; piece <= 6; ++piece) {
    ZorvitDecoder decoder;
    std::string bytes = "kept";
    for (size_t at = 0; at < text.size(); at += piece) decoder.Feed(std::string_view(text).substr(at, piece), bytes);
    EXPECT_EQ(bytes, "kept" + whole.bytes) << piece;
    EXPECT_EQ(decoder.checksum(), whole.checksum) << piece;
    EXPECT_EQ(decoder.byte_count(), whole.byte_count) << piece;
  }
}

TEST(ZorvitDecoderTest, DamagedTextDecodesAsTheGeneratedProgramWould) {
  // A trailing blank after a whole group is read as a prefix: no byte, but S moves.
  const Decoded blank = Decode("M74;; ");
  EXPECT_EQ(blank.bytes, "hell");
  EXPECT_EQ(blank.checksum, (40 + 18 + 15 + 22 + 22 - 69) & 255);
  EXPECT_EQ(blank.byte_count, 4u);

  // A closing quote read as a low digit writes the low 8 bits of -5 and still counts.
  const Decoded quote = Decode("%\"");
  EXPECT_EQ(quote.bytes, Bytes({251}));
  EXPECT_EQ(quote.checksum, 251);
  EXPECT_EQ(quote.byte_count, 1u);

  // A character above the alphabet: prefix 2 puts 172 on a value of 163, low 8 bits 79.
  const Decoded high = Decode("'\xC8");
  EXPECT_EQ(high.bytes, Bytes({79}));
  EXPECT_EQ(high.checksum, (2 + 163) & 255);

  // A prefix above 80 leaves K at 4 after four digits, so a fifth byte follows.
  const Decoded wide = Decode("z%%%%%M");
  EXPECT_EQ(wide.bytes, Bytes({86, 86, 0, 0, 86}));
  EXPECT_EQ(wide.byte_count, 5u);
  EXPECT_EQ(wide.checksum, (85 + 40) & 255);

  // A control character as a prefix gives a negative K, so the next character is a prefix too.
  EXPECT_EQ(Decode(std::string("\x01", 1) + "&>").bytes, "o");
}

}  // namespace
}  // namespace oldvek
