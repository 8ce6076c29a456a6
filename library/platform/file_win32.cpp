#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/file.h"

namespace oldvek {
namespace {

std::string SystemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length != 0 ? std::string(text, length) : "error " + std::to_string(error);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

Status WindowsError(const std::string& action, const std::string& path, DWORD error = GetLastError()) {
  return Status::Error("cannot " + action + " " + path + ": " + SystemMessage(error));
}

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED overlapped{};
  overlapped.Offset = static_cast<DWORD>(offset);
  overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return overlapped;
}

constexpr size_t kMaxChunk = 1u << 30;  // ReadFile and WriteFile count in 32 bits

class WindowsFile final : public File {
 public:
  WindowsFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  ~WindowsFile() override { (void)Close(); }

  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    size_t done = 0;
    while (done < buffer.size()) {
      OVERLAPPED overlapped = At(offset + done);
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min(buffer.size() - done, kMaxChunk));
      if (!ReadFile(handle_, buffer.data() + done, want, &got, &overlapped)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF) break;
        return WindowsError("read", path_, error);
      }
      if (got == 0) break;
      done += got;
    }
    std::memset(buffer.data() + done, 0, buffer.size() - done);
    return Status::Ok();
  }

  Status WriteAt(uint64_t offset, std::span<const char> data) override {
    size_t done = 0;
    while (done < data.size()) {
      OVERLAPPED overlapped = At(offset + done);
      DWORD put = 0;
      const DWORD want = static_cast<DWORD>(std::min(data.size() - done, kMaxChunk));
      if (!WriteFile(handle_, data.data() + done, want, &put, &overlapped)) return WindowsError("write", path_);
      // A write that makes no progress would be asked again for ever.
      if (put == 0) return Status::Error("cannot write " + path_ + ": the disk accepted no bytes");
      done += put;
    }
    return Status::Ok();
  }

  Status Append(std::span<const char> data) override {
    OLDVEK_ASSIGN_OR_RETURN(uint64_t size, Size());
    return WriteAt(size, data);
  }

  Result<uint64_t> Size() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) return WindowsError("read the size of", path_);
    return static_cast<uint64_t>(size.QuadPart);
  }

  Status Truncate(uint64_t size) override {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) {
      return WindowsError("set the length of", path_);
    }
    return Status::Ok();
  }

  Status Sync() override {
    if (!FlushFileBuffers(handle_)) return WindowsError("flush", path_);
    return Status::Ok();
  }

  Status Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return Status::Ok();
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed) return WindowsError("close", path_);
    return Status::Ok();
  }

  const std::string& path() const override { return path_; }

 private:
  HANDLE handle_;
  std::string path_;
};

class WindowsFileLock final : public FileLock {
 public:
  explicit WindowsFileLock(HANDLE handle) : handle_(handle) {}
  ~WindowsFileLock() override { CloseHandle(handle_); }  // closing lets go of the lock

 private:
  HANDLE handle_;
};

class WindowsFileSystem final : public FileSystem {
 public:
  Result<std::unique_ptr<FileLock>> TryLock(const std::string& path, bool exclusive) override {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      handle = CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                           nullptr);  // folders too
    }
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      const bool refused =
          error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_FILE_NOT_FOUND;
      return Status::Error(WindowsError("open", path, error).message(),
                           refused ? Status::Kind::kWriteRefused : Status::Kind::kOther);
    }
    OVERLAPPED whole{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (!LockFileEx(handle, flags, 0, 1, 0, &whole)) {
      const DWORD error = GetLastError();
      CloseHandle(handle);
      if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
        return Status::Error("cannot lock " + path + ": it is in use", Status::Kind::kInUse);
      }
      return WindowsError("lock", path, error);
    }
    return std::unique_ptr<FileLock>(std::make_unique<WindowsFileLock>(handle));
  }

  // The volume and index that name a file, whatever path leads to it; no access is asked,
  // so a file held exclusively by someone else can still be identified.
  static bool Identify(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);  // folders too
    if (handle == INVALID_HANDLE_VALUE) return false;
    const BOOL known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return known != FALSE;
  }

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override {
    const DWORD access = options.access == Access::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD share = options.share == Share::kShared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    DWORD disposition = OPEN_ALWAYS;
    if (options.disposition == Disposition::kOpenExisting) disposition = OPEN_EXISTING;
    if (options.disposition == Disposition::kCreateOrTruncate) disposition = CREATE_ALWAYS;
    if (options.disposition == Disposition::kCreateNew) disposition = CREATE_NEW;
    const HANDLE handle =
        CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_SHARING_VIOLATION)
        return Status::Error("cannot open " + path + ": the file is in use", Status::Kind::kInUse);
      const bool write_refused =
          options.access == Access::kReadWrite && (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT);
      return Status::Error(WindowsError("open", path, error).message(),
                           write_refused ? Status::Kind::kWriteRefused : Status::Kind::kOther);
    }
    return std::unique_ptr<File>(std::make_unique<WindowsFile>(handle, path));
  }

  bool Exists(const std::string& path) override { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  bool SameFile(const std::string& a, const std::string& b) override {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return Identify(a, first) && Identify(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
  }

  Status Remove(const std::string& path) override {
    if (!DeleteFileA(path.c_str())) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return WindowsError("delete", path, error);
    }
    return Status::Ok();
  }

  Status Replace(const std::string& from, const std::string& to) override {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return WindowsError("rename " + from + " to", to);
    }
    return Status::Ok();
  }
};

}  // namespace

FileSystem& FileSystem::Default() {
  static WindowsFileSystem file_system;
  return file_system;
}

}  // namespace oldvek
