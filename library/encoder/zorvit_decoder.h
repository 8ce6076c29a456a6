#ifndef OLDVEK_ENCODER_ZORVIT_DECODER_H_
#define OLDVEK_ENCODER_ZORVIT_DECODER_H_

// Decoding of ZORVIT text exactly as the generated SUB U does it, so that a checksum or byte
// count computed here agrees with the one the program would report. For each character,
// C is its value (see ZorvitValue); while K < 4 the character is a prefix and K = C + 243;
// otherwise the byte C + (K MOD 3) * 86 is written, K = K \ 3 and B = B + 1. Every character
// adds C to S, modulo 256. A value outside 0..255 writes its low 8 bits.

#include <cstdint>
#include <string>
#include <string_view>

namespace oldvek {

class ZorvitDecoder {
 public:
  // Decodes the next characters of a page (what follows "U" and the double quote on its data
  // lines, without line ends) and appends the bytes to `out`. Text may be cut anywhere: the
  // state carries over to the next call.
  void Feed(std::string_view characters, std::string& out);

  uint8_t checksum() const { return static_cast<uint8_t>(sum_ & 0xFF); }
  uint64_t byte_count() const { return bytes_; }

 private:
  // Decodes into `out`, which has room for characters.size() bytes; returns the bytes written.
  size_t Decode(std::string_view characters, char* out);

  int32_t k_ = 0;
  uint32_t sum_ = 0;  // S is its low 8 bits
  uint64_t bytes_ = 0;
};

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ZORVIT_DECODER_H_
