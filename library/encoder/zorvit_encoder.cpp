#include "encoder/zorvit_encoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "encoder/zorvit_alphabet.h"

namespace oldvek {
namespace {

// Everything the encoder needs of a byte at place k (0..3) of its group, in one word, so that
// no byte is divided and a group takes four table reads. With h and l the high and low digit:
//   bits 32..63  the character of l, in byte k of this half
//   bits 16..23  h * 3^k, its share of the prefix
//   bits  0..15  l + h * 3^k, its share of S (the prefix and the low digits)
// The sum of a group's four words holds its prefix (at most 80), its share of S (at most 556)
// and its four low-digit characters in file order, none carrying into another.
constexpr std::array<std::array<uint64_t, 256>, 4> kPlaces = [] {
  std::array<std::array<uint64_t, 256>, 4> places{};
  uint64_t weight = 1;
  for (uint64_t k = 0; k < 4; ++k) {
    for (uint64_t b = 0; b < 256; ++b) {
      const uint64_t high = b / kZorvitBase;
      const uint64_t low = b % kZorvitBase;
      const auto character = static_cast<unsigned char>(ZorvitCharacter(static_cast<int>(low)));
      places[k][b] = uint64_t{character} << (32 + 8 * k) | (high * weight) << 16 | (low + high * weight);
    }
    weight *= 3;
  }
  return places;
}();

constexpr uint32_t PrefixOf(uint64_t group) { return static_cast<uint32_t>(group >> 16) & 0xFF; }

// The four low-digit characters of a group, in file order once stored.
inline void StoreLowCharacters(uint64_t group, char* out) {
  static_assert(std::endian::native == std::endian::little, "the characters lie in memory order");
  const auto characters = static_cast<uint32_t>(group >> 32);
  std::memcpy(out, &characters, 4);
}

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
  line_[kDataLineLength] = '\r';
  line_[kDataLineLength + 1] = '\n';
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
  uint64_t group = 0;
  for (size_t i = 0; i < count; ++i) group += kPlaces[i][bytes[i]];
  std::array<char, kGroupCharacters> characters;
  characters[0] = kPrefixCharacters[PrefixOf(group)];
  StoreLowCharacters(group, characters.data() + 1);
  sum_ += static_cast<uint32_t>(group);  // the fields above bit 7 do not reach S
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
      const uint64_t group = kPlaces[0][in[0]] + kPlaces[1][in[1]] + kPlaces[2][in[2]] + kPlaces[3][in[3]];
      out[0] = kPrefixCharacters[PrefixOf(group)];
      StoreLowCharacters(group, out + 1);
      sum += static_cast<uint32_t>(group);
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
  if (position_ > kDataLineHeadLength) {
    line_[position_] = '\r';
    line_[position_ + 1] = '\n';
    sink_.LastLine(std::string_view(line_.data(), position_ + 2));
    line_[kDataLineLength] = '\r';
    line_[kDataLineLength + 1] = '\n';
  }
  const auto checksum = static_cast<uint8_t>(sum_ & 0xFF);
  position_ = kDataLineHeadLength;
  pending_count_ = 0;
  sum_ = 0;
  return checksum;
}

}  // namespace oldvek
