#include "base/crc32.h"

#include <gtest/gtest.h>

#include <string>

namespace oldvek {
namespace {

// Values of zlib's crc32; lengths around the eight-byte steps, fed whole and cut in two, and
// combined from the CRCs of the two parts.
TEST(Crc32Test, MatchesTheStandardCrcWhereverTheBytesAreCut) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 131 + 7));
  const std::pair<size_t, uint32_t> cases[] = {{0, 0x00000000}, {1, 0x4c667a2e},  {7, 0xff206b2e},   {8, 0xf7921d46},
                                               {9, 0xc04294c0}, {17, 0x293cddb3}, {1000, 0x1ed57bb9}};
  for (const auto& [length, expected] : cases) {
    for (size_t cut = 0; cut <= length; cut += length / 3 + 1) {
      Crc32 crc;
      crc.Add(std::string_view(bytes).substr(0, cut));
      crc.Add(std::string_view(bytes).substr(cut, length - cut));
      EXPECT_EQ(crc.value(), expected) << length << " bytes cut at " << cut;
      Crc32 first, second;
      first.Add(std::string_view(bytes).substr(0, cut));
      second.Add(std::string_view(bytes).substr(cut, length - cut));
      EXPECT_EQ(Crc32Combine(first.value(), second.value(), length - cut), expected) << length << " cut at " << cut;
    }
  }
}

}  // namespace
}  // namespace oldvek
