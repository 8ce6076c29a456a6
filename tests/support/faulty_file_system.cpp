#include "faulty_file_system.h"

namespace oldvek::testing {
namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& owner) : real_(std::move(real)), owner_(owner) {}

  Status ReadAt(uint64_t offset, std::span<char> buffer) override {
    OLDVEK_RETURN_IF_ERROR(owner_.Step("read " + path()));
    owner_.NoteRead(path(), offset, buffer.size());
    return real_->ReadAt(offset, buffer);
  }
  Status WriteAt(uint64_t offset, std::span<const char> data) override {
    return Through("write ", [&] { return real_->WriteAt(offset, data); });
  }
  Status Append(std::span<const char> data) override {
    return Through("append to ", [&] { return real_->Append(data); });
  }
  Result<uint64_t> Size() override {
    return Through("size ", [&] { return real_->Size(); });
  }
  Status Truncate(uint64_t size) override {
    return Through("truncate ", [&] { return real_->Truncate(size); });
  }
  Status Sync() override {
    return Through("flush ", [&] { return real_->Sync(); });
  }
  // The handle is always released, as a crashed process's handles are; the failure is still
  // reported.
  Status Close() override {
    Status step = owner_.Step("close " + path());
    Status closed = real_->Close();
    return step.ok() ? closed : step;
  }
  const std::string& path() const override { return real_->path(); }

 private:
  // Counts the operation; the real file carries it out unless it is the one to fail.
  template <class Operation>
  auto Through(const char* what, Operation operation) -> decltype(operation()) {
    Status step = owner_.Step(what + path());
    if (!step.ok()) return step;
    return operation();
  }

  std::unique_ptr<File> real_;
  FaultyFileSystem& owner_;
};

}  // namespace

bool FaultyFileSystem::DidBefore(uint64_t n, std::string_view kind) const {
  for (uint64_t k = 1; k < n && k <= steps_.size(); ++k) {
    if (steps_[k - 1].starts_with(kind) && steps_[k - 1][kind.size()] == ' ') return true;
  }
  return false;
}

Status FaultyFileSystem::Step(const std::string& what) {
  ++operations_;
  steps_.push_back(what);
  if (Fails(operations_)) {
    return Status::Error("cannot " + what + ": injected failure at operation " + std::to_string(operations_));
  }
  return Status::Ok();
}

Result<std::unique_ptr<File>> FaultyFileSystem::Open(const std::string& path, OpenOptions options) {
  OLDVEK_RETURN_IF_ERROR(Step("open " + path));
  if (!read_only_.empty() && path.starts_with(read_only_) && options.access == Access::kReadWrite) {
    return Status::Error("cannot open " + path + ": read-only file system", Status::Kind::kWriteRefused);
  }
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> file, real_.Open(path, options));
  return std::unique_ptr<File>(std::make_unique<FaultyFile>(std::move(file), *this));
}

bool FaultyFileSystem::Exists(const std::string& path) {
  ++lookups_;
  return real_.Exists(path);
}

bool FaultyFileSystem::SameFile(const std::string& a, const std::string& b) { return real_.SameFile(a, b); }

Result<std::unique_ptr<FileLock>> FaultyFileSystem::TryLock(const std::string& path, bool exclusive) {
  OLDVEK_RETURN_IF_ERROR(Step("lock " + path));
  if (!read_only_.empty() && path.starts_with(read_only_)) {
    return Status::Error("cannot lock " + path + ": read-only file system", Status::Kind::kWriteRefused);
  }
  return real_.TryLock(path, exclusive);
}

Status FaultyFileSystem::Remove(const std::string& path) {
  OLDVEK_RETURN_IF_ERROR(Step("delete " + path));
  return real_.Remove(path);
}

Status FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  OLDVEK_RETURN_IF_ERROR(Step("rename " + from));
  return real_.Replace(from, to);
}

Result<std::vector<std::string>> FaultyFileSystem::List(const std::string& folder) {
  OLDVEK_RETURN_IF_ERROR(Step("list " + folder));
  return real_.List(folder);
}

}  // namespace oldvek::testing
