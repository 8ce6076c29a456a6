#ifndef OLDVEK_PLATFORM_READ_AHEAD_FILE_H_
#define OLDVEK_PLATFORM_READ_AHEAD_FILE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file.h"

namespace oldvek {

// Serves the positioned reads of a pass that goes through a file front to back (a header,
// a body, the next header...) from one large window, so that many small reads cost few
// system calls and each byte is read from the file once. A read before the window ends the
// reading ahead: the rest of the pass reads exactly what it asks for. Its length is taken
// once, when first asked: the pass sees the file as it stood then. It only reads: writes,
// appends and cuts are refused.
class ReadAheadFile final : public File {
 public:
  static constexpr size_t kWindowSize = 1 << 20;

  explicit ReadAheadFile(File& file, size_t window_size = kWindowSize) : file_(file), window_size_(window_size) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override;
  Status WriteAt(uint64_t, std::span<const char>) override { return Refused(); }
  Status Append(std::span<const char>) override { return Refused(); }
  Result<uint64_t> Size() override;
  Status Truncate(uint64_t) override { return Refused(); }
  Status Sync() override { return file_.Sync(); }
  Status Close() override { return file_.Close(); }
  const std::string& path() const override { return file_.path(); }

 private:
  void Forget();
  Status Refused() const { return Status::Error("cannot write " + path() + ": it is open for reading ahead"); }

  File& file_;
  size_t window_size_;
  std::optional<uint64_t> size_;
  uint64_t window_offset_ = 0;
  std::string window_;  // the bytes at window_offset_, never past the end of the file
  bool in_order_ = true;
};

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_READ_AHEAD_FILE_H_
