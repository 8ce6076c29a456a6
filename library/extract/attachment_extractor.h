#ifndef OLDVEK_EXTRACT_ATTACHMENT_EXTRACTOR_H_
#define OLDVEK_EXTRACT_ATTACHMENT_EXTRACTOR_H_

// Decoding the ZORVIT attachment a snippet carries, line by line as the body is read, straight
// into the output file. The scan goes through three states and never back:
//   before data: a line holding "TLEN:" (or "Z&=") states the expected length; the last such
//                line before the first data line counts;
//   in data:     data lines are decoded; the first other line holding "TCHK:" (or "IF S=")
//                states the expected checksum and ends the scan;
//   ended:       nothing more is decoded, so only the first page of a snippet comes out.
// A CRC line (page_crc.h) anywhere before the next page's begin line is the page's own.
// A data line holds a capital U and a double quote with no double quote before them; every
// character after them is decoded, a closing quote or trailing blanks included. Length and
// checksum markers are found in any letter case, but their number is read only after the
// marker spelled as above: a marker found only in another case states 0.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/crc32.h"
#include "encoder/zorvit_decoder.h"
#include "extract/page_crc.h"
#include "platform/buffered_writer.h"

namespace oldvek {

enum class ScanState { kBeforeData, kInData, kEnded };

// What an attachment states about itself and what its decoding gave.
struct AttachmentCheck {
  uint64_t expected_length = 0;       // 0 until a length marker is seen
  uint64_t expected_checksum = 0;     // 0 until a checksum marker is seen
  uint64_t byte_count = 0;            // B: bytes written
  uint8_t checksum = 0;               // S
  bool found = false;                 // a length marker or a data line was seen: there is ZORVIT text
  std::optional<PageCrc> stated_crc;  // the page's CRC line, when it carries one
  uint32_t crc = 0;                   // CRC-32 of the bytes decoded

  // What differs between what the page states and what it decoded to ("length 3 stated, 2
  // decoded; CRC-32 ..."), or why there is nothing to compare; empty when the attachment came
  // out whole. Every path that decodes a page judges it by this one rule. A snippet without
  // ZORVIT text states nothing and decodes nothing, which must not pass for an empty file.
  std::string Fault() const;
  bool verified() const { return Fault().empty(); }
};

class AttachmentExtractor {
 public:
  explicit AttachmentExtractor(BufferedWriter& out) : out_(out) {}
  AttachmentExtractor(const AttachmentExtractor&) = delete;
  AttachmentExtractor& operator=(const AttachmentExtractor&) = delete;

  // Takes the snippet's next code line; decoded bytes go to the writer.
  void TakeLine(std::string_view line);

  ScanState state() const { return state_; }
  AttachmentCheck check() const;

 private:
  BufferedWriter& out_;
  ZorvitDecoder decoder_;
  std::string bytes_;  // one line's decoded bytes, reused from line to line
  ScanState state_ = ScanState::kBeforeData;
  uint64_t expected_length_ = 0;
  uint64_t expected_checksum_ = 0;
  bool found_length_ = false;
  Crc32 crc_;
  std::optional<PageCrc> stated_crc_;
  bool page_closed_ = false;  // the next page began: its CRC line is not this page's
};

}  // namespace oldvek

#endif  // OLDVEK_EXTRACT_ATTACHMENT_EXTRACTOR_H_
