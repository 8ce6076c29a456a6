#include "encoder/zorvit_decoder.h"

#include <array>

#include "encoder/zorvit_alphabet.h"

namespace oldvek {
namespace {

constexpr int32_t kGroupStart = 243;  // 3 to the fifth: four low digits leave K at 3
constexpr int32_t kLargestPrefix = 80;

// What each prefix adds to the four low digits of its group: 86 times its base-3 digits.
constexpr std::array<std::array<uint8_t, 4>, kLargestPrefix + 1> kHighParts = [] {
  std::array<std::array<uint8_t, 4>, kLargestPrefix + 1> parts{};
  for (int p = 0; p <= kLargestPrefix; ++p) {
    int rest = p;
    for (int i = 0; i < 4; ++i, rest /= 3) parts[p][i] = static_cast<uint8_t>((rest % 3) * kZorvitBase);
  }
  return parts;
}();

constexpr bool IsLowDigit(int32_t value) { return static_cast<uint32_t>(value) < kZorvitBase; }

}  // namespace

size_t ZorvitDecoder::Decode(std::string_view characters, char* out) {
  const auto* in = reinterpret_cast<const unsigned char*>(characters.data());
  const unsigned char* const end = in + characters.size();
  char* const first = out;
  int32_t k = k_;
  uint32_t sum = sum_;
  while (in != end) {
    // A whole well-formed group at a group start decodes by table; the result is what the
    // character-by-character rule gives, K ending at 3.
    if (k < 4 && end - in >= 5) {
      const int32_t p = kZorvitValues[in[0]];
      const int32_t l1 = kZorvitValues[in[1]];
      const int32_t l2 = kZorvitValues[in[2]];
      const int32_t l3 = kZorvitValues[in[3]];
      const int32_t l4 = kZorvitValues[in[4]];
      if (static_cast<uint32_t>(p) <= kLargestPrefix && IsLowDigit(l1) && IsLowDigit(l2) && IsLowDigit(l3) &&
          IsLowDigit(l4)) {
        const auto& high = kHighParts[p];
        out[0] = static_cast<char>(l1 + high[0]);
        out[1] = static_cast<char>(l2 + high[1]);
        out[2] = static_cast<char>(l3 + high[2]);
        out[3] = static_cast<char>(l4 + high[3]);
        out += 4;
        in += 5;
        sum += static_cast<uint32_t>(p + l1 + l2 + l3 + l4);
        k = 3;
        continue;
      }
    }
    const int32_t c = kZorvitValues[*in++];
    if (k < 4) {
      k = c + kGroupStart;
    } else {
      *out++ = static_cast<char>(static_cast<uint8_t>(c + (k % 3) * kZorvitBase));
      k /= 3;
    }
    sum += static_cast<uint32_t>(c);
  }
  k_ = k;
  sum_ = sum;
  const auto written = static_cast<size_t>(out - first);
  bytes_ += written;
  return written;
}

void ZorvitDecoder::Feed(std::string_view characters, std::string& out) {
  const size_t start = out.size();
  out.resize(start + characters.size());
  out.resize(start + Decode(characters, out.data() + start));
}

}  // namespace oldvek
