#include "scratch_file_system.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "archive.h"

namespace vek {
namespace {

using oldvek::Result;
using oldvek::Status;

class UnflushedFile final : public oldvek::File {
 public:
  explicit UnflushedFile(std::unique_ptr<oldvek::File> file) : file_(std::move(file)) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override { return file_->ReadAt(offset, buffer); }
  Status WriteAt(uint64_t offset, std::span<const char> data) override { return file_->WriteAt(offset, data); }
  Status Append(std::span<const char> data) override { return file_->Append(data); }
  Result<uint64_t> Size() override { return file_->Size(); }
  Status Truncate(uint64_t size) override { return file_->Truncate(size); }
  Status Sync() override { return Status::Ok(); }
  Status Close() override { return file_->Close(); }
  const std::string& path() const override { return file_->path(); }

 private:
  std::unique_ptr<oldvek::File> file_;
};

class ScratchFileSystem final : public oldvek::FileSystem {
 public:
  Result<std::unique_ptr<oldvek::File>> Open(const std::string& path, oldvek::OpenOptions options) override {
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<oldvek::File> file, Files().Open(path, options));
    return std::unique_ptr<oldvek::File>(std::make_unique<UnflushedFile>(std::move(file)));
  }
  bool Exists(const std::string& path) override { return Files().Exists(path); }
  bool SameFile(const std::string& a, const std::string& b) override { return Files().SameFile(a, b); }
  Status Remove(const std::string& path) override { return Files().Remove(path); }
  Status Replace(const std::string& from, const std::string& to) override {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error ? Status::Error("cannot rename " + from + " to " + to + ": " + error.message()) : Status::Ok();
  }
  Result<std::unique_ptr<oldvek::FileLock>> TryLock(const std::string& path, bool exclusive) override {
    return Files().TryLock(path, exclusive);
  }
};

}  // namespace

oldvek::FileSystem& ScratchFiles() {
  static ScratchFileSystem files;
  return files;
}

}  // namespace vek
