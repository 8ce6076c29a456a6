#ifndef OLDVEK_ENCODER_ZORVIT_ENCODER_H_
#define OLDVEK_ENCODER_ZORVIT_ENCODER_H_

// ZORVIT encoding of one page. Bytes go four at a time into a group: a prefix value
// P = h1 + 3*h2 + 9*h3 + 27*h4 over the high digits (b \ 86), then the four low digits
// (b MOD 86), each value one character of the alphabet. The characters run on through data
// lines of 80 characters ("U", the double quote, 78 encoded characters), groups straddling line
// ends. S is the sum of all values put on the page, modulo 256.

#include <array>
#include <cstdint>
#include <string_view>

namespace oldvek {

inline constexpr size_t kDataLineLength = 80;
inline constexpr size_t kDataLineHeadLength = 2;  // "U" and the double quote

// Takes the data lines of a page as the encoder fills them, each followed by its CR LF, so
// that a line goes out in one write.
class ZorvitLineSink {
 public:
  virtual ~ZorvitLineSink() = default;
  // A full data line of 80 characters and CR LF.
  virtual void FullLine(std::string_view line) = 0;
  // The page's shorter last data line, 3 to 79 characters, and CR LF.
  virtual void LastLine(std::string_view line) = 0;
};

class ZorvitPageEncoder {
 public:
  explicit ZorvitPageEncoder(ZorvitLineSink& sink);
  ZorvitPageEncoder(const ZorvitPageEncoder&) = delete;
  ZorvitPageEncoder& operator=(const ZorvitPageEncoder&) = delete;

  // Encodes the next bytes of the page; they may be cut anywhere, also inside a group.
  void Add(std::string_view bytes);
  // Puts a short last group and the last partial line, returns the page checksum S, and
  // leaves the encoder ready for a new page.
  uint8_t FinishPage();

 private:
  void PutGroup(const unsigned char* bytes, size_t count);
  void PutStraddling(const char* characters, size_t count);
  void FlushFullLine();

  ZorvitLineSink& sink_;
  std::array<char, kDataLineLength + 2> line_;  // the line and its CR LF
  size_t position_ = kDataLineHeadLength;       // next index to write, 0-based
  std::array<unsigned char, 4> pending_{};      // a group not yet complete
  size_t pending_count_ = 0;
  uint32_t sum_ = 0;  // only its low 8 bits matter
};

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ZORVIT_ENCODER_H_
