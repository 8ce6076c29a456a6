#include "failing_file_system.h"

namespace oldvek::testing {
namespace {

class FailingFile final : public File {
 public:
  FailingFile(FailingFileSystem& owner, std::unique_ptr<File> real) : owner_(owner), real_(std::move(real)) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("read", path()));
    return real_->ReadAt(offset, buffer);
  }
  Status WriteAt(uint64_t offset, std::span<const char> data) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("write", path()));
    return real_->WriteAt(offset, data);
  }
  Status Append(std::span<const char> data) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("write", path()));
    return real_->Append(data);
  }
  Result<uint64_t> Size() override {
    Status status = owner_.Count("read the size of", path());
    if (!status.ok()) return status;
    return real_->Size();
  }
  Status Truncate(uint64_t size) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("set the length of", path()));
    return real_->Truncate(size);
  }
  Status Sync() override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("flush", path()));
    return real_->Sync();
  }
  // A close that fails still lets go of the handle, as CloseHandle and close(2) do.
  Status Close() override {
    const Status closed = real_->Close();
    OLDVEK_RETURN_IF_ERROR(owner_.Count("close", path()));
    return closed;
  }
  const std::string& path() const override { return real_->path(); }

 private:
  FailingFileSystem& owner_;
  std::unique_ptr<File> real_;
};

}  // namespace

Status FailingFileSystem::Count(std::string_view action, const std::string& path) {
  ++operations_;
  const bool fails = fail_at_ != 0 && (operations_ == fail_at_ || (fail_later_ && operations_ > fail_at_));
  if (!fails) return Status::Ok();
  failed_ = true;
  return Status::Error("cannot " + std::string(action) + " " + path + ": injected failure");
}

Result<std::unique_ptr<File>> FailingFileSystem::Open(const std::string& path, OpenOptions options) {
  Status status = Count("open", path);
  if (!status.ok()) return status;
  Result<std::unique_ptr<File>> file = real_.Open(path, options);
  if (!file.ok()) return file.status();
  return std::unique_ptr<File>(std::make_unique<FailingFile>(*this, std::move(*file)));
}

Status FailingFileSystem::Remove(const std::string& path) {
  OLDVEK_RETURN_IF_ERROR(Count("delete", path));
  return real_.Remove(path);
}

Status FailingFileSystem::Replace(const std::string& from, const std::string& to) {
  OLDVEK_RETURN_IF_ERROR(Count("rename " + from + " to", to));
  return real_.Replace(from, to);
}

}  // namespace oldvek::testing
