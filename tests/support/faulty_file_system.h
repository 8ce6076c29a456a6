#ifndef OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
#define OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_

// A file system that passes everything through to a real one, numbers the operations made
// through it and through the files it opened (open, remove, replace, read, write, append,
// size, truncate, sync, close), and can be told to fail one of them, as a full disk or a
// vanished network share would. A failed operation does nothing. For core unit tests only.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace oldvek::testing {

class FaultyFileSystem : public FileSystem {
 public:
  // `fail_at` is the number (from 1) of the operation that fails; 0 fails none.
  explicit FaultyFileSystem(FileSystem& real, int fail_at = 0) : real_(real), fail_at_(fail_at) {}

  // How many operations have been made so far.
  int operations() const { return operations_; }

  struct Read {
    std::string path;
    uint64_t offset;  // 0-based, as File takes it
    size_t size;
  };
  // Every read made through the files it opened, in order.
  const std::vector<Read>& reads() const { return reads_; }

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override;
  bool Exists(const std::string& path) override { return real_.Exists(path); }
  Status Remove(const std::string& path) override;
  Status Replace(const std::string& from, const std::string& to) override;

  // Counts one operation; a failure when it is the one to fail.
  Status Count(const std::string& what, const std::string& path);
  void NoteRead(const std::string& path, uint64_t offset, size_t size) { reads_.push_back({path, offset, size}); }

 private:
  FileSystem& real_;
  int fail_at_;
  int operations_ = 0;
  std::vector<Read> reads_;
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
