#ifndef OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
#define OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_

// A file system over the real one that fails its N-th operation on request, so tests can
// interrupt an operation at every step and check what it leaves behind, and that can cut the
// power: Crash() throws away every change that was not made durable.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
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
  // close, remove, replace, folder flush and folder listing. Exists is a query that cannot fail and is not counted.
  uint64_t operations() const { return operations_; }
  // Exists queries so far: lookups of a file by name.
  uint64_t lookups() const { return lookups_; }
  // Every counted operation so far, in order, as "flush PATH", "rename PATH" and so on.
  const std::vector<std::string>& steps() const { return steps_; }
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
  Status FlushFolderOf(const std::string& path) override;
  Result<std::vector<std::string>> List(const std::string& folder) override;

  // Counts one operation; the failure to report, if this one must fail.
  Status Step(const std::string& what);

  // A power cut, as LevelDB's fault-injection environment makes one: every file written
  // through this file system goes back to what its last Sync left, and every name created,
  // removed or renamed goes back to what its folder's last flush (FlushFolderOf, or Replace,
  // which flushes) left. Files it never wrote to stay as they are. No file may be open.
  Status Crash();
  // The file numbered `file` (see Track) was flushed and holds `bytes`.
  void NoteFlushed(size_t file, std::string bytes) { durable_bytes_[file] = std::move(bytes); }

 private:
  // The file that `path` names now, numbered; the first time a path is seen, what is there
  // is taken as durable. Npos when the path names no file, or cannot be read.
  size_t Track(const std::string& path);
  void FlushFolder(const std::string& path);

  FileSystem& real_;
  uint64_t fail_from_ = 0;
  bool only_one_ = false;
  std::string read_only_;
  std::vector<Read> reads_;
  std::vector<std::string> steps_;
  uint64_t operations_ = 0;
  uint64_t lookups_ = 0;
  // The crash model: names lead to numbered files, now and as the disk holds them.
  std::set<std::string> tracked_;                // every path seen, whether it names a file or not
  std::map<std::string, size_t> names_;          // path to file, now
  std::map<std::string, size_t> durable_names_;  // path to file, as of its folder's last flush
  std::vector<std::string> durable_bytes_;       // by file: what its last flush left
};

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_FAULTY_FILE_SYSTEM_H_
