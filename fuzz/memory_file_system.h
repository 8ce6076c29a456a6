#ifndef OLDVEK_FUZZ_MEMORY_FILE_SYSTEM_H_
#define OLDVEK_FUZZ_MEMORY_FILE_SYSTEM_H_

// Files held in memory for the fuzz targets: fast, and nothing left behind between runs.
// A file grows to kLimit bytes at most; a write or cut beyond fails as a full disk would, so
// that a damaged position cannot make a run allocate without bound.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/file.h"

namespace oldvek::fuzzing {

class MemoryFileSystem final : public FileSystem {
 public:
  static constexpr uint64_t kLimit = 1 << 20;

  std::map<std::string, std::string> files;

  Result<std::unique_ptr<File>> Open(const std::string& path, OpenOptions options) override {
    if (!files.contains(path) && options.disposition == Disposition::kOpenExisting)
      return Status::Error(path + ": missing");
    if (files.contains(path) && options.disposition == Disposition::kCreateNew) return Status::Error(path + ": exists");
    if (options.disposition == Disposition::kCreateOrTruncate) files[path].clear();
    files.try_emplace(path);
    return std::unique_ptr<File>(std::make_unique<MemoryFile>(*this, path));
  }
  bool Exists(const std::string& path) override { return files.contains(path); }
  bool SameFile(const std::string& a, const std::string& b) override { return a == b && files.contains(a); }
  // One fuzzing run is alone with its files.
  Result<std::unique_ptr<FileLock>> TryLock(const std::string&, bool) override { return std::make_unique<FileLock>(); }
  Status Remove(const std::string& path) override {
    files.erase(path);
    return Status::Ok();
  }
  Status Replace(const std::string& from, const std::string& to) override {
    auto moved = files.extract(from);
    if (moved.empty()) return Status::Error(from + ": missing");
    files[to] = std::move(moved.mapped());
    return Status::Ok();
  }
  Status FlushFolderOf(const std::string&) override { return Status::Ok(); }

 private:
  class MemoryFile final : public File {
   public:
    MemoryFile(MemoryFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

    Status ReadAt(uint64_t offset, std::span<char> buffer) override {
      const std::string& bytes = this->bytes();
      std::fill(buffer.begin(), buffer.end(), '\0');
      if (offset < bytes.size()) {
        std::memcpy(buffer.data(), bytes.data() + offset, std::min<uint64_t>(buffer.size(), bytes.size() - offset));
      }
      return Status::Ok();
    }
    Status WriteAt(uint64_t offset, std::span<const char> data) override {
      if (offset > kLimit || data.size() > kLimit - offset) return Status::Error(path_ + ": disk full");
      std::string& bytes = this->bytes();
      if (bytes.size() < offset + data.size()) bytes.resize(offset + data.size());
      std::copy(data.begin(), data.end(), bytes.begin() + offset);
      return Status::Ok();
    }
    Status Append(std::span<const char> data) override { return WriteAt(bytes().size(), data); }
    Result<uint64_t> Size() override { return static_cast<uint64_t>(bytes().size()); }
    Status Truncate(uint64_t size) override {
      if (size > kLimit) return Status::Error(path_ + ": disk full");
      bytes().resize(size);
      return Status::Ok();
    }
    Status Sync() override { return Status::Ok(); }
    Status Close() override { return Status::Ok(); }
    const std::string& path() const override { return path_; }

   private:
    std::string& bytes() { return owner_.files[path_]; }

    MemoryFileSystem& owner_;
    std::string path_;
  };
};

}  // namespace oldvek::fuzzing

#endif  // OLDVEK_FUZZ_MEMORY_FILE_SYSTEM_H_
