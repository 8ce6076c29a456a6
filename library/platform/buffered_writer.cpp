#include "platform/buffered_writer.h"

namespace oldvek {

BufferedWriter::BufferedWriter(File& file, size_t capacity) : file_(file), capacity_(capacity) {
  buffer_.reserve(capacity_);
}

void BufferedWriter::Write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > capacity_) Drain();
  if (bytes.size() >= capacity_) {
    if (status_.ok()) status_ = file_.Append(bytes);
    return;
  }
  buffer_.append(bytes);
}

void BufferedWriter::Drain() {
  if (status_.ok() && !buffer_.empty()) status_ = file_.Append(buffer_);
  buffer_.clear();
}

Status BufferedWriter::Flush() {
  Drain();
  return status_;
}

}  // namespace oldvek
