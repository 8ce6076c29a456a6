#ifndef OLDVEK_PACKETS_FORMATS_H_
#define OLDVEK_PACKETS_FORMATS_H_

// The two files of a packet. BASE.IDX is a sequence of 78-byte index records, one per
// snippet, with no header; BASE.VEK holds the snippets back to back, each a 165-byte header
// followed by its code lines, every line ended by the byte 0xE3. Positions in both files
// count from 1: record k begins at (k - 1) * 78 + 1.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/file.h"

namespace oldvek {

inline constexpr size_t kIndexRecordSize = 78;
inline constexpr size_t kHeaderSize = 165;
inline constexpr char kLineEnd = '\xE3';

struct FieldSpan {
  size_t offset;
  size_t width;
};

// A fixed-size record of text fields, kept as its raw bytes so that bytes no field claims
// travel unchanged.
template <size_t kSize>
class FixedRecord {
 public:
  FixedRecord() { bytes_.fill('\0'); }

  std::string_view Field(FieldSpan field) const { return {bytes_.data() + field.offset, field.width}; }
  // Writes `text` left-aligned into the field: cut when longer, blank-padded when shorter.
  void SetField(FieldSpan field, std::string_view text);

  std::span<char> bytes() { return bytes_; }
  std::span<const char> bytes() const { return bytes_; }

 private:
  std::array<char, kSize> bytes_;
};

template <size_t kSize>
void FixedRecord<kSize>::SetField(FieldSpan field, std::string_view text) {
  for (size_t i = 0; i < field.width; ++i) bytes_[field.offset + i] = i < text.size() ? text[i] : ' ';
}

class IndexRecord : public FixedRecord<kIndexRecordSize> {
 public:
  static constexpr FieldSpan kFlag{0, 1};
  static constexpr FieldSpan kStart{1, 10};
  static constexpr FieldSpan kSubject{16, 31};
  static constexpr FieldSpan kAuthor{47, 31};

  char flag() const { return Field(kFlag)[0]; }
  void set_flag(char flag) { bytes()[kFlag.offset] = flag; }
  // Position of the snippet's header in the packet file.
  uint64_t start() const;
  void set_start(uint64_t position);
};

class SnippetHeader : public FixedRecord<kHeaderSize> {
 public:
  static constexpr FieldSpan kAuthor{0, 31};
  static constexpr FieldSpan kSubject{31, 31};
  static constexpr FieldSpan kOrigin{62, 31};
  static constexpr FieldSpan kDate{93, 23};
  static constexpr FieldSpan kCode{116, 23};
  static constexpr FieldSpan kExtra{139, 5};
  static constexpr FieldSpan kTag{153, 12};
};

// Position of record k (from 1) in the index file.
constexpr uint64_t RecordPosition(uint64_t record_number) { return (record_number - 1) * kIndexRecordSize + 1; }

// The number of whole records in an index file of `length` bytes; a partial record is not one.
constexpr uint64_t RecordCount(uint64_t index_length) { return index_length / kIndexRecordSize; }

// True when `position` is where one of `record_count` records begins.
constexpr bool IsRecordPosition(uint64_t position, uint64_t record_count) {
  return position >= 1 && (position - 1) % kIndexRecordSize == 0 && (position - 1) / kIndexRecordSize < record_count;
}

// The failure of a position that is not where one of an index's records begins.
Status NoRecordAt(uint64_t position, std::string_view index_path);

// Where a body ends (the position after its last byte), given the Start of the next whole
// record's snippet (0 when no whole record follows) and the packet file's length. A next Start
// that reads as 0 names no snippet, so the body runs to the end of the file. Every reader and
// every edit asks this one rule, so an edit never keeps fewer bytes of a snippet than a fetch
// shows of it.
constexpr uint64_t BodyEnd(uint64_t next_start, uint64_t packet_length) {
  return next_start == 0 ? packet_length + 1 : next_start;
}

// Reads `buffer.size()` bytes at the 1-based `position`. Bytes beyond the end of the file,
// and all bytes for position 0, read as 0x00: nothing is ever read before position 1.
Status ReadAtPosition(File& file, uint64_t position, std::span<char> buffer);
Status WriteAtPosition(File& file, uint64_t position, std::span<const char> data);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_FORMATS_H_
