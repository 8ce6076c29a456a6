#ifndef OLDVEK_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H_
#define OLDVEK_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H_

// A file system that passes everything to a real one but can be told to fail its N-th
// operation, so a test can walk a routine through every failure it may meet. Operations are
// counted across the file system and all files it opened: Open, Remove, Replace, and each
// ReadAt, WriteAt, Append, Size, Truncate, Sync and Close. Exists never fails.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace oldvek::testing {

class FailingFileSystem final : public FileSystem {
 public:
  // Fails no operation until told to.
  explicit FailingFileSystem(FileSystem& real) : real_(real) {}

  // Operation `n` (from 1) fails with a message naming its file; 0 fails none.
  void FailOperation(uint64_t n) {
    fail_at_ = n;
    fail_later_ = false;
  }
  // Operation `n` and every one after it fail.
  void FailFromOperation(uint64_t n) {
    fail_at_ = n;
    fail_later_ = true;
  }
  uint64_t operations() const { return operations_; }
  bool failed() const { return failed_; }

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override;
  bool Exists(const std::string& path) override { return real_.Exists(path); }
  Status Remove(const std::string& path) override;
  Status Replace(const std::string& from, const std::string& to) override;

  // Counts one operation on `path`; the failure when it is the one to fail.
  Status Count(std::string_view action, const std::string& path);

 private:
  FileSystem& real_;
  uint64_t fail_at_ = 0;
  bool fail_later_ = false;
  uint64_t operations_ = 0;
  bool failed_ = false;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_FAILING_FILE_SYSTEM_H_
