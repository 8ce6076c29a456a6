#include "encoder/zorvit_encoder.h"

#include <algorithm>
#include <cstring>

#include "encoder/zorvit_alphabet.h"

namespace oldvek {
namespace {

// Everything the encoder needs of one byte, so that no byte is divided.
struct ByteDigits {
  std::array<char, 256> low_character;
  std::array<uint8_t, 256> low;
  std::array<uint8_t, 256> high;
};

constexpr ByteDigits kDigits = [] {
  ByteDigits digits{};
  for (int b = 0; b < 256; ++b) {
    digits.low[b] = static_cast<uint8_t>(b % kZorvitBase);
    digits.high[b] = static_cast<uint8_t>(b / kZorvitBase);
    digits.low_character[b] = ZorvitCharacter(b % kZorvitBase);
  }
  return digits;
}();

constexpr std::array<char, 81> kPrefixCharacters = [] {
  std::array<char, 81> characters{};
  for (int p = 0; p < 81; ++p) characters[p] = ZorvitCharacter(p);
  return characters;
}();

constexpr size_t kGroupCharacters = 5;

}  // namespace

ZorvitPageEncoder::ZorvitPageEncoder(ZorvitLineSink& sink) : sink_(sink) {
  line_.fill(' ');
  line_[0] = 'U';
  line_[1] = '"';
}

void ZorvitPageEncoder::FlushFullLine() {
  sink_.FullLine(std::string_view(line_.data(), line_.size()));
  position_ = kDataLineHeadLength;
}

// The characters of a group that does not fit into what is left of the line.
void ZorvitPageEncoder::PutStraddling(const char* characters, size_t count) {
  while (count > 0) {
    const size_t n = std::min(count, kDataLineLength - position_);
    std::memcpy(line_.data() + position_, characters, n);
    position_ += n;
    characters += n;
    count -= n;
    if (position_ == kDataLineLength) FlushFullLine();
  }
}

// A group of 1 to 4 bytes, the slow way: used for groups cut by a call boundary, straddling a
// line end, or ending the page.
void ZorvitPageEncoder::PutGroup(const unsigned char* bytes, size_t count) {
  uint32_t prefix = 0;
  uint32_t place = 1;
  std::array<char, kGroupCharacters> characters;
  for (size_t i = 0; i < count; ++i) {
    prefix += place * kDigits.high[bytes[i]];
    place *= 3;
    characters[i + 1] = kDigits.low_character[bytes[i]];
    sum_ += kDigits.low[bytes[i]];
  }
  characters[0] = kPrefixCharacters[prefix];
  sum_ += prefix;
  PutStraddling(characters.data(), count + 1);
}

void ZorvitPageEncoder::Add(std::string_view input) {
  const auto* in = reinterpret_cast<const unsigned char*>(input.data());
  const unsigned char* const end = in + input.size();

  if (pending_count_ > 0) {
    while (pending_count_ < 4 && in != end) pending_[pending_count_++] = *in++;
    if (pending_count_ < 4) return;
    PutGroup(pending_.data(), 4);
    pending_count_ = 0;
  }

  uint32_t sum = sum_;
  while (end - in >= 4) {
    // Whole groups that fit into the rest of the line go in without any check.
    const size_t room = (kDataLineLength - position_) / kGroupCharacters;
    const size_t groups = std::min(room, static_cast<size_t>(end - in) / 4);
    char* out = line_.data() + position_;
    for (size_t g = 0; g < groups; ++g, in += 4, out += kGroupCharacters) {
      const uint32_t prefix =
          kDigits.high[in[0]] + 3u * kDigits.high[in[1]] + 9u * kDigits.high[in[2]] + 27u * kDigits.high[in[3]];
      out[0] = kPrefixCharacters[prefix];
      out[1] = kDigits.low_character[in[0]];
      out[2] = kDigits.low_character[in[1]];
      out[3] = kDigits.low_character[in[2]];
      out[4] = kDigits.low_character[in[3]];
      sum += prefix + kDigits.low[in[0]] + kDigits.low[in[1]] + kDigits.low[in[2]] + kDigits.low[in[3]];
    }
    position_ += groups * kGroupCharacters;
    if (position_ == kDataLineLength) {
      FlushFullLine();
    } else if (end - in < 4) {
      break;
    } else {
      sum_ = sum;
      PutGroup(in, 4);
      sum = sum_;
      in += 4;
    }
  }
  sum_ = sum;

  while (in != end) pending_[pending_count_++] = *in++;
}

uint8_t ZorvitPageEncoder::FinishPage() {
  if (pending_count_ > 0) PutGroup(pending_.data(), pending_count_);
  if (position_ > kDataLineHeadLength) sink_.LastLine(std::string_view(line_.data(), position_));
  const auto checksum = static_cast<uint8_t>(sum_ & 0xFF);
  position_ = kDataLineHeadLength;
  pending_count_ = 0;
  sum_ = 0;
  return checksum;
}

}  // namespace oldvek
