#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file.h"

namespace oldvek {
namespace {

Status PosixError(const std::string& action, const std::string& path, int error) {
  return Status::Error("cannot " + action + " " + path + ": " + std::strerror(error));
}

// Share modes are emulated with flock on the open file: a shared open takes a shared lock,
// an exclusive open an exclusive one, and a lock that is refused makes the open fail, as
// Windows refuses an open whose share mode conflicts.
class PosixFile final : public File {
 public:
  static constexpr size_t kEarlyWritebackSize = 1 << 20;

  PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixFile() override { (void)Close(); }

  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    size_t done = 0;
    while (done < buffer.size()) {
      const ssize_t n = ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return PosixError("read", path_, errno);
      }
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    std::memset(buffer.data() + done, 0, buffer.size() - done);
    return Status::Ok();
  }

  Status WriteAt(uint64_t offset, std::span<const char> data) override {
    size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return PosixError("write", path_, errno);
      }
      // A write that makes no progress would be asked again for ever.
      if (n == 0) return Status::Error("cannot write " + path_ + ": the disk accepted no bytes");
      done += static_cast<size_t>(n);
    }
    // A large write is handed to the disk at once, so that the flush that ends a long copy
    // finds little left to do: the disk works while the copy goes on.
    if (data.size() >= kEarlyWritebackSize) {
      ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(data.size()), SYNC_FILE_RANGE_WRITE);
    }
    return Status::Ok();
  }

  Status Append(std::span<const char> data) override {
    OLDVEK_ASSIGN_OR_RETURN(uint64_t size, Size());
    return WriteAt(size, data);
  }

  Result<uint64_t> Size() override {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return PosixError("read the size of", path_, errno);
    return static_cast<uint64_t>(info.st_size);
  }

  Status Truncate(uint64_t size) override {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return PosixError("set the length of", path_, errno);
    return Status::Ok();
  }

  Status Sync() override {
    if (::fsync(fd_) != 0) return PosixError("flush", path_, errno);
    return Status::Ok();
  }

  Status Close() override {
    if (fd_ < 0) return Status::Ok();
    const int result = ::close(fd_);
    fd_ = -1;
    if (result != 0) return PosixError("close", path_, errno);
    return Status::Ok();
  }

  const std::string& path() const override { return path_; }

 private:
  int fd_;
  std::string path_;
};

class PosixFileLock final : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { ::close(fd_); }  // closing lets go of the lock

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<FileLock>> TryLock(const std::string& path, bool exclusive) override {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      const bool refused = error == EACCES || error == EROFS || error == EPERM || error == ENOENT;
      return Status::Error(PosixError("open", path, error).message(),
                           refused ? Status::Kind::kWriteRefused : Status::Kind::kOther);
    }
    if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return Status::Error("cannot lock " + path + ": it is in use", Status::Kind::kInUse);
      return PosixError("lock", path, error);
    }
    return std::unique_ptr<FileLock>(std::make_unique<PosixFileLock>(fd));
  }

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override {
    int flags = O_CLOEXEC | (options.access == Access::kRead ? O_RDONLY : O_RDWR);
    switch (options.disposition) {
      case Disposition::kOpenOrCreate: flags |= O_CREAT; break;
      case Disposition::kOpenExisting: break;
      case Disposition::kCreateOrTruncate: flags |= O_CREAT; break;  // truncated once the lock is held
      case Disposition::kCreateNew: flags |= O_CREAT | O_EXCL; break;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
      const int error = errno;
      const bool write_refused =
          options.access == Access::kReadWrite && (error == EACCES || error == EROFS || error == EPERM);
      return Status::Error(PosixError("open", path, error).message(),
                           write_refused ? Status::Kind::kWriteRefused : Status::Kind::kOther);
    }
    const int lock = options.share == Share::kShared ? LOCK_SH : LOCK_EX;
    if (::flock(fd, lock | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK)
        return Status::Error("cannot open " + path + ": the file is in use", Status::Kind::kInUse);
      return PosixError("open", path, error);
    }
    auto file = std::make_unique<PosixFile>(fd, path);
    if (options.disposition == Disposition::kCreateOrTruncate) {
      Status status = file->Truncate(0);
      if (!status.ok()) return status;
    }
    return std::unique_ptr<File>(std::move(file));
  }

  bool Exists(const std::string& path) override {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
  }

  // As on Windows, a file that someone holds open cannot be deleted: the removal takes the
  // exclusive lock first. Without this a reader could unlink the temporary files of a packet
  // rebuild that is still running.
  Status Remove(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) return Status::Ok();
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return Status::Error("cannot delete " + path + ": the file is in use");
      return PosixError("delete", path, error);
    }
    const int result = ::unlink(path.c_str());
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (result != 0 && error != ENOENT) return PosixError("delete", path, error);
    return Status::Ok();
  }

  // As on Windows, a file that someone holds open is not replaced: the exclusive lock on it is
  // taken for the rename.
  Status Replace(const std::string& from, const std::string& to) override {
    const int fd = ::open(to.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return Status::Error("cannot replace " + to + ": the file is in use");
      return PosixError("replace", to, error);
    }
    const int result = ::rename(from.c_str(), to.c_str());
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (result != 0) return PosixError("rename " + from + " to", to, error);
    return SyncDirectoryOf(to);
  }

 private:
  // A rename is durable once the directory that holds the name is flushed.
  static Status SyncDirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return PosixError("open the folder", directory, errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) return PosixError("flush the folder", directory, error);
    return Status::Ok();
  }
};

}  // namespace

FileSystem& FileSystem::Default() {
  static PosixFileSystem file_system;
  return file_system;
}

}  // namespace oldvek
