#ifndef OLDVEK_PACKETS_BODY_READER_H_
#define OLDVEK_PACKETS_BODY_READER_H_

// A snippet's body is a run of code lines, each ended by the byte 0xE3. Bodies are read in
// pieces of at most 20000 bytes, so memory stays flat however large a body is; a line that
// spans pieces is joined through a carry, so every line arrives whole whatever its length.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "base/status.h"
#include "platform/buffered_writer.h"
#include "platform/file.h"

namespace oldvek {

inline constexpr size_t kBodyPieceSize = 20000;

// Receives one line without its terminator. The view is valid only during the call; a
// failure stops the reading and becomes its result.
using LineVisitor = std::function<Status(std::string_view line)>;

// Hands every terminated line of the bytes at positions [begin, end) of `file` (counted from
// 1, `end` excluded) to `visit`, in order. Bytes after the last terminator form no line and
// are dropped. Nothing is read beyond the end of the file: bytes there would read as 0x00,
// which ends no line. Memory held: one piece and the carry.
Status ReadBodyLines(File& file, uint64_t begin, uint64_t end, const LineVisitor& visit,
                     size_t piece_size = kBodyPieceSize);

// Appends to `out` the bytes of every terminated line of [begin, end) of `file`, terminators
// included: exactly the lines ReadBodyLines hands over, byte for byte, but copied in large
// pieces rather than line by line. Returns the number of bytes appended.
inline constexpr size_t kBodyCopyPieceSize = 1 << 20;
Result<uint64_t> CopyBodyLines(File& file, uint64_t begin, uint64_t end, BufferedWriter& out,
                               size_t piece_size = kBodyCopyPieceSize);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_BODY_READER_H_
