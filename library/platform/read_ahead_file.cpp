#include "platform/read_ahead_file.h"

#include <algorithm>
#include <cstring>

namespace oldvek {

Status ReadAheadFile::ReadAt(uint64_t offset, std::span<char> buffer) {
  // The front of the request that the window holds is never read again.
  if (offset >= window_offset_ && offset - window_offset_ < window_.size()) {
    const size_t held = std::min(buffer.size(), static_cast<size_t>(window_.size() - (offset - window_offset_)));
    std::memcpy(buffer.data(), window_.data() + (offset - window_offset_), held);
    offset += held;
    buffer = buffer.subspan(held);
  } else if (offset < window_offset_) {
    // The pass went back (a damaged index): from here on only what is asked for is read,
    // since a window per read would cost far more than it saves.
    in_order_ = false;
  }
  if (buffer.empty()) return Status::Ok();
  if (!in_order_ || buffer.size() > window_size_) return file_.ReadAt(offset, buffer);
  OLDVEK_ASSIGN_OR_RETURN(uint64_t size, Size());
  if (offset < size) {
    window_offset_ = offset;
    window_.resize(static_cast<size_t>(std::min<uint64_t>(window_size_, size - offset)));
    const Status read = file_.ReadAt(offset, window_);
    if (!read.ok()) {
      Forget();
      return read;
    }
  }
  // What the window does not hold lies past the end of the file and reads as 0x00.
  const size_t from_window = offset == window_offset_ ? std::min(buffer.size(), window_.size()) : 0;
  std::memcpy(buffer.data(), window_.data(), from_window);
  std::memset(buffer.data() + from_window, 0, buffer.size() - from_window);
  return Status::Ok();
}

Result<uint64_t> ReadAheadFile::Size() {
  if (!size_) {
    OLDVEK_ASSIGN_OR_RETURN(size_, file_.Size());
  }
  return *size_;
}

void ReadAheadFile::Forget() {
  size_.reset();
  window_.clear();
  window_offset_ = 0;
}

}  // namespace oldvek
