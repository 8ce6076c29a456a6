#ifndef OLDVEK_PLATFORM_READ_AHEAD_FILE_H_
#define OLDVEK_PLATFORM_READ_AHEAD_FILE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file.h"

namespace oldvek {

// Serves the positioned reads of a pass that goes through a file front to back (a header,
// a body, the next header...) from one large window, so that many small reads cost few
// system calls. Its length is taken once, when first asked: the pass sees the file as it
// stood then. A write goes to the file and drops what was read ahead.
class ReadAheadFile final : public File {
 public:
  static constexpr size_t kWindowSize = 1 << 20;

  explicit ReadAheadFile(File& file, size_t window_size = kWindowSize) : file_(file), window_size_(window_size) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override;
  Status WriteAt(uint64_t offset, std::span<const char> data) override;
  Status Append(std::span<const char> data) override;
  Result<uint64_t> Size() override;
  Status Truncate(uint64_t size) override;
  Status Sync() override { return file_.Sync(); }
  Status Close() override { return file_.Close(); }
  const std::string& path() const override { return file_.path(); }

 private:
  void Forget();

  File& file_;
  size_t window_size_;
  std::optional<uint64_t> size_;
  uint64_t window_offset_ = 0;
  std::string window_;  // the bytes at window_offset_, never past the end of the file
};

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_READ_AHEAD_FILE_H_
