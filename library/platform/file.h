#ifndef OLDVEK_PLATFORM_FILE_H_
#define OLDVEK_PLATFORM_FILE_H_

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/status.h"

namespace oldvek {

enum class Access { kRead, kReadWrite };

// kShared lets other openers read and write at the same time; kExclusive refuses every
// other open while this one lasts (and is refused while another open lasts).
enum class Share { kShared, kExclusive };

enum class Disposition {
  kOpenOrCreate,      // a missing file is created empty; nothing is truncated
  kOpenExisting,      // a missing file is a failure
  kCreateOrTruncate,  // the file is created, or emptied if it exists
  kCreateNew,         // the file is created; one that exists already is a failure
};

struct OpenOptions {
  Access access = Access::kReadWrite;
  Share share = Share::kShared;
  Disposition disposition = Disposition::kOpenOrCreate;
};

// An open file. Offsets are 0-based here; the packet formats count positions from 1 and
// convert at their own level. Every failure message names the file.
class File {
 public:
  virtual ~File() = default;

  // Fills `buffer` from `offset`; the part that lies beyond the end of the file is 0x00.
  virtual Status ReadAt(uint64_t offset, std::span<char> buffer) = 0;
  virtual Status WriteAt(uint64_t offset, std::span<const char> data) = 0;
  virtual Status Append(std::span<const char> data) = 0;
  virtual Result<uint64_t> Size() = 0;
  virtual Status Truncate(uint64_t size) = 0;
  // Flushes the file's data to the disk.
  virtual Status Sync() = 0;
  // Closes the handle; a second close does nothing.
  virtual Status Close() = 0;

  virtual const std::string& path() const = 0;
};

// A lock held on a lock file until it is destroyed.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // True when both names lead to one existing file (links and aliases of the path included).
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
  // Removes a file; removing a file that does not exist succeeds, removing one that is open
  // (shared or exclusive) fails.
  virtual Status Remove(const std::string& path) = 0;
  // Puts `from` in the place of `to` in one atomic step, replacing `to` if it exists, and
  // makes the change durable.
  virtual Status Replace(const std::string& from, const std::string& to) = 0;

  // Takes a lock on the file `path` (created empty if missing, never removed): shared locks
  // go together, an exclusive one stands alone. Does not wait: a lock held against this one
  // fails with Status::Kind::kInUse, a folder that refuses the file with kWriteRefused.
  virtual Result<std::unique_ptr<FileLock>> TryLock(const std::string& path, bool exclusive) = 0;

  // The names of the entries of `folder`, in no particular order. A listing that fails part
  // way is a failure: it would pass for a folder with fewer files.
  virtual Result<std::vector<std::string>> List(const std::string& folder);

  // True when this file system listed the folder of `path` before and found no such file
  // there; false when it does not know. Only one that keeps its listings knows: this one
  // never does.
  virtual bool ListedWithout(const std::string& /*path*/) { return false; }

  // The real file system of this platform.
  static FileSystem& Default();
};

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_FILE_H_
