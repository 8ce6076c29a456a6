#ifndef OLDVEK_ENCODER_ZORVIT_ALPHABET_H_
#define OLDVEK_ENCODER_ZORVIT_ALPHABET_H_

// The ZORVIT alphabet: 86 printable characters for the values 0..85. Values 0..26 are "%".."?",
// 28..58 are "A".."_", 60..85 are "a".."z" (each the character of code value + 37); 27 is "#"
// and 59 is "$", so "@", the backquote, the double quote and the blank never appear in data.

#include <array>
#include <cstdint>

namespace oldvek {

inline constexpr int kZorvitBase = 86;

constexpr char ZorvitCharacter(int value) {
  if (value == 27) return '#';
  if (value == 59) return '$';
  return static_cast<char>(value + 37);
}

// What SUB U computes for any character code 0..255: code - 37, and for codes below 37,
// 91 + 32 * (code - 37). That gives "#" 27 and "$" 59; codes outside the alphabet give
// values outside 0..85 (negative below 35).
constexpr int32_t ZorvitValue(unsigned char code) {
  const int32_t c = static_cast<int32_t>(code) - 37;
  return c < 0 ? 91 + 32 * c : c;
}

// The value of every character code, indexed by the code.
inline constexpr std::array<int32_t, 256> kZorvitValues = [] {
  std::array<int32_t, 256> values{};
  for (int code = 0; code < 256; ++code) values[code] = ZorvitValue(static_cast<unsigned char>(code));
  return values;
}();

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ZORVIT_ALPHABET_H_
