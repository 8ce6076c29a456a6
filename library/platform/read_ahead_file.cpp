#include "platform/read_ahead_file.h"

#include <algorithm>
#include <cstring>

namespace oldvek {

Status ReadAheadFile::ReadAt(uint64_t offset, std::span<char> buffer) {
  if (buffer.size() > window_size_) return file_.ReadAt(offset, buffer);
  const bool inside = offset >= window_offset_ && offset - window_offset_ + buffer.size() <= window_.size();
  if (!inside) {
    Result<uint64_t> size = Size();
    if (!size.ok()) return size.status();
    window_offset_ = offset;
    window_.resize(offset < *size ? static_cast<size_t>(std::min<uint64_t>(window_size_, *size - offset)) : 0);
    const Status read = file_.ReadAt(offset, window_);
    if (!read.ok()) {
      Forget();
      return read;
    }
  }
  // What the window does not hold lies past the end of the file and reads as 0x00.
  const size_t from_window = offset - window_offset_ < window_.size()
                                 ? std::min(buffer.size(), static_cast<size_t>(window_.size() - (offset - window_offset_)))
                                 : 0;
  if (from_window != 0) std::memcpy(buffer.data(), window_.data() + (offset - window_offset_), from_window);
  std::memset(buffer.data() + from_window, 0, buffer.size() - from_window);
  return Status::Ok();
}

Result<uint64_t> ReadAheadFile::Size() {
  if (!size_) {
    Result<uint64_t> size = file_.Size();
    if (!size.ok()) return size.status();
    size_ = *size;
  }
  return *size_;
}

void ReadAheadFile::Forget() {
  size_.reset();
  window_.clear();
  window_offset_ = 0;
}

}  // namespace oldvek
