#include "encoder/zorvit_encoder.h"

#include <algorithm>
#include <cstring>

#include "encoder/zorvit_alphabet.h"

namespace oldvek {
namespace {

// Everything the encoder needs of a byte at place k (0..3) of its group, in one word, so that
// no byte is divided and a group takes four table reads. With h and l the high and low digit:
//   bits 24..31  the character of l
//   bits 16..23  h * 3^k, its share of the prefix
//   bits  0..15  l + h * 3^k, its share of S (the prefix plus the low digits)
// Adding the four words of a group adds the shares field by field: the prefix (at most 80)
// and the S share (at most 556) cannot carry into the next field; the characters overflow
// out of the word and are read from each word alone.
constexpr std::array<std::array<uint32_t, 256>, 4> kPlaces = [] {
  std::array<std::array<uint32_t, 256>, 4> places{};
  uint32_t weight = 1;
  for (auto& place : places) {
    for (uint32_t b = 0; b < 256; ++b) {
      const uint32_t high = b / kZorvitBase;
      const uint32_t low = b % kZorvitBase;
      place[b] = static_cast<uint32_t>(static_cast<unsigned char>(ZorvitCharacter(static_cast<int>(low)))) << 24 |
                 (high * weight) << 16 | (low + high * weight);
    }
    weight *= 3;
  }
  return places;
}();

constexpr char CharacterOf(uint32_t place_word) { return static_cast<char>(place_word >> 24); }
constexpr uint32_t PrefixOf(uint32_t group_sum) { return (group_sum >> 16) & 0xFF; }

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
  std::array<char, kGroupCharacters> characters;
  uint32_t group = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t word = kPlaces[i][bytes[i]];
    group += word;
    characters[i + 1] = CharacterOf(word);
  }
  characters[0] = kPrefixCharacters[PrefixOf(group)];
  sum_ += group;  // the fields above bit 7 do not reach S
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
      const uint32_t w0 = kPlaces[0][in[0]];
      const uint32_t w1 = kPlaces[1][in[1]];
      const uint32_t w2 = kPlaces[2][in[2]];
      const uint32_t w3 = kPlaces[3][in[3]];
      const uint32_t group = w0 + w1 + w2 + w3;
      out[0] = kPrefixCharacters[PrefixOf(group)];
      out[1] = CharacterOf(w0);
      out[2] = CharacterOf(w1);
      out[3] = CharacterOf(w2);
      out[4] = CharacterOf(w3);
      sum += group;
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
