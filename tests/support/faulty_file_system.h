#ifndef OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
#define OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_

// A file system over the real one that fails its N-th operation on request, so tests can
// interrupt an operation at every step and check what it leaves behind.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace oldvek::testing {

class FaultyFileSystem final : public FileSystem {
 public:
  // `fail_only` as for FailOnly; 0 fails nothing.
  explicit FaultyFileSystem(FileSystem& real = FileSystem::Default(), uint64_t fail_only = 0) : real_(real) {
    FailOnly(fail_only);
  }

  // Operation number `n` (from 1) and every later one fail, as after a crash or a full disk;
  // 0 lets everything through.
  void FailFrom(uint64_t n) {
    fail_from_ = n;
    only_one_ = false;
  }
  // Operation number `n` alone fails, as a passing fault would; later ones go through.
  void FailOnly(uint64_t n) {
    fail_from_ = n;
    only_one_ = true;
  }
  // Acts as if `folder` were on a read-only medium: every open for writing of a file in it is
  // refused as such a medium refuses it.
  void MakeReadOnly(std::string folder) { read_only_ = std::move(folder); }
  // Operations counted so far: every open, read, write, append, size, truncate, sync,
  // close, remove, replace and folder listing. Exists is a query that cannot fail and is not counted.
  uint64_t operations() const { return operations_; }
  // Exists queries so far: lookups of a file by name.
  uint64_t lookups() const { return lookups_; }
  // Every counted operation so far, in order, as "flush PATH", "rename PATH" and so on.
  const std::vector<std::string>& steps() const { return steps_; }
  // Whether operation number `n` (from 1) is one that fails.
  bool Fails(uint64_t n) const { return fail_from_ != 0 && (only_one_ ? n == fail_from_ : n >= fail_from_); }
  // Whether an operation before number `n` was of `kind`: "rename", "delete"...
  bool DidBefore(uint64_t n, std::string_view kind) const;

  struct Read {
    std::string path;
    uint64_t offset;  // 0-based, as File takes it
    size_t size;
  };
  // Every read made through the files it opened, in order.
  const std::vector<Read>& reads() const { return reads_; }
  void NoteRead(const std::string& path, uint64_t offset, size_t size) { reads_.push_back({path, offset, size}); }

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override;
  bool Exists(const std::string& path) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  Result<std::unique_ptr<FileLock>> TryLock(const std::string& path, bool exclusive) override;
  Status Remove(const std::string& path) override;
  Status Replace(const std::string& from, const std::string& to) override;
  Result<std::vector<std::string>> List(const std::string& folder) override;

  // Counts one operation; the failure to report, if this one must fail.
  Status Step(const std::string& what);

 private:
  FileSystem& real_;
  uint64_t fail_from_ = 0;
  bool only_one_ = false;
  std::string read_only_;
  std::vector<Read> reads_;
  std::vector<std::string> steps_;
  uint64_t operations_ = 0;
  uint64_t lookups_ = 0;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
