#include "packets/body_reader.h"

#include <algorithm>
#include <string>

#include "packets/formats.h"

namespace oldvek {

namespace {

// Checks a body range and clamps its end to the file: past the end there are only zero
// bytes, which end no line.
Result<uint64_t> BodyRangeEnd(File& file, uint64_t begin, uint64_t end, size_t piece_size) {
  if (begin == 0) return Status::Error("no body of " + file.path() + " begins before its first byte");
  if (piece_size == 0) return Status::Error("a body of " + file.path() + " cannot be read in empty pieces");
  OLDVEK_ASSIGN_OR_RETURN(uint64_t length, file.Size());
  return std::min(end, length + 1);
}

// Appends the bytes at [begin, end) of `file` to `out`, a piece at a time.
Status CopyBytes(File& file, uint64_t begin, uint64_t end, BufferedWriter& out, size_t piece_size) {
  std::string piece(static_cast<size_t>(std::min<uint64_t>(piece_size, end - begin)), '\0');
  for (uint64_t at = begin; at < end;) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(piece.size(), end - at));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(file, at, {piece.data(), size}));
    out.Write({piece.data(), size});
    OLDVEK_RETURN_IF_ERROR(out.status());
    at += size;
  }
  return Status::Ok();
}

}  // namespace

Result<uint64_t> CopyBodyLines(File& file, uint64_t begin, uint64_t end, BufferedWriter& out, size_t piece_size) {
  OLDVEK_ASSIGN_OR_RETURN(end, BodyRangeEnd(file, begin, end, piece_size));
  if (end <= begin) return uint64_t{0};

  std::string piece(static_cast<size_t>(std::min<uint64_t>(piece_size, end - begin)), '\0');
  uint64_t copied = begin;  // everything before it is written
  for (uint64_t at = begin; at < end;) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(piece.size(), end - at));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(file, at, {piece.data(), size}));
    const size_t last = std::string_view(piece.data(), size).rfind(kLineEnd);
    if (last != std::string_view::npos) {
      // A line that began in an earlier piece is written from the file again; only a line
      // longer than a piece does that.
      if (copied < at) OLDVEK_RETURN_IF_ERROR(CopyBytes(file, copied, at, out, piece_size));
      out.Write({piece.data(), last + 1});
      OLDVEK_RETURN_IF_ERROR(out.status());
      copied = at + last + 1;
    }
    at += size;
  }
  return copied - begin;
}

Status ReadBodyLines(File& file, uint64_t begin, uint64_t end, const LineVisitor& visit, size_t piece_size) {
  // A damaged end marker may lie far past the end; the zero bytes there would only feed the carry.
  OLDVEK_ASSIGN_OR_RETURN(end, BodyRangeEnd(file, begin, end, piece_size));
  if (end <= begin) return Status::Ok();

  std::string piece(static_cast<size_t>(std::min<uint64_t>(piece_size, end - begin)), '\0');
  std::string carry;
  for (uint64_t at = begin; at < end;) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(piece.size(), end - at));
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(file, at, {piece.data(), size}));
    at += size;

    std::string_view rest(piece.data(), size);
    size_t cut = rest.find(kLineEnd);
    if (cut == std::string_view::npos) {
      carry.append(rest);
      continue;
    }
    if (carry.empty()) {
      OLDVEK_RETURN_IF_ERROR(visit(rest.substr(0, cut)));
    } else {
      carry.append(rest.substr(0, cut));
      OLDVEK_RETURN_IF_ERROR(visit(carry));
      carry.clear();
    }
    rest.remove_prefix(cut + 1);
    // The lines wholly inside this piece go to the visitor straight from the piece, uncopied.
    while ((cut = rest.find(kLineEnd)) != std::string_view::npos) {
      OLDVEK_RETURN_IF_ERROR(visit(rest.substr(0, cut)));
      rest.remove_prefix(cut + 1);
    }
    carry.assign(rest);
  }
  return Status::Ok();
}

}  // namespace oldvek
