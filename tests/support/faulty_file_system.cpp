#include "faulty_file_system.h"

#include <utility>

namespace oldvek::testing {
namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& owner) : real_(std::move(real)), owner_(owner) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("read", path()));
    owner_.NoteRead(path(), offset, buffer.size());
    return real_->ReadAt(offset, buffer);
  }
  Status WriteAt(uint64_t offset, std::span<const char> data) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("write", path()));
    return real_->WriteAt(offset, data);
  }
  Status Append(std::span<const char> data) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("append to", path()));
    return real_->Append(data);
  }
  Result<uint64_t> Size() override {
    Status counted = owner_.Count("measure", path());
    if (!counted.ok()) return counted;
    return real_->Size();
  }
  Status Truncate(uint64_t size) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("truncate", path()));
    return real_->Truncate(size);
  }
  Status Sync() override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("flush", path()));
    return real_->Sync();
  }
  // A failed close still lets the real file close when this one is destroyed.
  Status Close() override {
    OLDVEK_RETURN_IF_ERROR(owner_.Count("close", path()));
    return real_->Close();
  }
  const std::string& path() const override { return real_->path(); }

 private:
  std::unique_ptr<File> real_;
  FaultyFileSystem& owner_;
};

}  // namespace

Status FaultyFileSystem::Count(const std::string& what, const std::string& path) {
  ++operations_;
  if (operations_ == fail_at_) return Status::Error("cannot " + what + " " + path + ": injected failure");
  return Status::Ok();
}

Result<std::unique_ptr<File>> FaultyFileSystem::Open(const std::string& path, OpenOptions options) {
  OLDVEK_RETURN_IF_ERROR(Count("open", path));
  Result<std::unique_ptr<File>> file = real_.Open(path, options);
  if (!file.ok()) return file.status();
  return std::unique_ptr<File>(std::make_unique<FaultyFile>(std::move(*file), *this));
}

Status FaultyFileSystem::Remove(const std::string& path) {
  OLDVEK_RETURN_IF_ERROR(Count("remove", path));
  return real_.Remove(path);
}

Status FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  OLDVEK_RETURN_IF_ERROR(Count("replace", to));
  return real_.Replace(from, to);
}

}  // namespace oldvek::testing
