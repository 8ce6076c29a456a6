#ifndef OLDVEK_PLATFORM_BUFFERED_WRITER_H_
#define OLDVEK_PLATFORM_BUFFERED_WRITER_H_

#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/file.h"

namespace oldvek {

// Collects small writes and appends them to a file in large pieces. The first failure is
// kept and every later call reports it, so a writer can be fed without checking each call.
class BufferedWriter {
 public:
  static constexpr size_t kDefaultCapacity = 1 << 16;

  explicit BufferedWriter(File& file, size_t capacity = kDefaultCapacity);
  BufferedWriter(const BufferedWriter&) = delete;
  BufferedWriter& operator=(const BufferedWriter&) = delete;

  void Write(std::string_view bytes);
  void Put(char byte) {
    if (buffer_.size() == capacity_) Drain();
    buffer_.push_back(byte);
  }
  // Appends what is buffered and returns the first failure, if any.
  Status Flush();
  const Status& status() const { return status_; }

 private:
  void Drain();

  File& file_;
  size_t capacity_;
  std::string buffer_;
  Status status_;
};

// Writes `line` and CR LF, the line end of every text file the library writes.
inline void WriteLine(BufferedWriter& out, std::string_view line) {
  out.Write(line);
  out.Write("\r\n");
}

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_BUFFERED_WRITER_H_
