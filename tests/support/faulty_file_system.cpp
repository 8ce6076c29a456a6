#include "faulty_file_system.h"

namespace oldvek::testing {
namespace {

constexpr size_t kNoFile = std::string::npos;

Result<std::string> ReadAll(File& file) {
  OLDVEK_ASSIGN_OR_RETURN(const uint64_t size, file.Size());
  std::string bytes(size, '\0');
  OLDVEK_RETURN_IF_ERROR(file.ReadAt(0, bytes));
  return bytes;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("/\\") + 1); }

class FaultyFile final : public File {
 public:
  // `file`: its number in the owner's crash model, or kNoFile.
  FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& owner, size_t file)
      : real_(std::move(real)), owner_(owner), file_(file) {}

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
    OLDVEK_RETURN_IF_ERROR(Through("flush ", [&] { return real_->Sync(); }));
    if (file_ == kNoFile) return Status::Ok();
    OLDVEK_ASSIGN_OR_RETURN(std::string bytes, ReadAll(*real_));
    owner_.NoteFlushed(file_, std::move(bytes));
    return Status::Ok();
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
  size_t file_;
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
  if (fail_from_ != 0 && (only_one_ ? operations_ == fail_from_ : operations_ >= fail_from_)) {
    return Status::Error("cannot " + what + ": injected failure at operation " + std::to_string(operations_));
  }
  return Status::Ok();
}

Result<std::unique_ptr<File>> FaultyFileSystem::Open(const std::string& path, OpenOptions options) {
  OLDVEK_RETURN_IF_ERROR(Step("open " + path));
  const bool writing = options.access == Access::kReadWrite;
  if (!read_only_.empty() && path.starts_with(read_only_) && writing) {
    return Status::Error("cannot open " + path + ": read-only file system", Status::Kind::kWriteRefused);
  }
  size_t number = writing ? Track(path) : kNoFile;
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> file, real_.Open(path, options));
  if (writing && number == kNoFile && tracked_.contains(path)) {  // created: empty on the disk until flushed
    number = names_[path] = durable_bytes_.size();
    durable_bytes_.emplace_back();
  }
  return std::unique_ptr<File>(std::make_unique<FaultyFile>(std::move(file), *this, number));
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
  Track(path);
  OLDVEK_RETURN_IF_ERROR(real_.Remove(path));
  names_.erase(path);
  return Status::Ok();
}

Status FaultyFileSystem::Replace(const std::string& from, const std::string& to) {
  OLDVEK_RETURN_IF_ERROR(Step("rename " + from));
  const size_t moved = Track(from);
  Track(to);
  OLDVEK_RETURN_IF_ERROR(real_.Replace(from, to));
  names_.erase(from);
  if (moved != kNoFile) names_[to] = moved;
  FlushFolder(to);
  return Status::Ok();
}

Status FaultyFileSystem::FlushFolderOf(const std::string& path) {
  OLDVEK_RETURN_IF_ERROR(Step("flush the folder of " + path));
  OLDVEK_RETURN_IF_ERROR(real_.FlushFolderOf(path));
  FlushFolder(path);
  return Status::Ok();
}

size_t FaultyFileSystem::Track(const std::string& path) {
  if (tracked_.insert(path).second && real_.Exists(path)) {
    Result<std::unique_ptr<File>> file = real_.Open(path, {Access::kRead, Share::kShared, Disposition::kOpenExisting});
    Result<std::string> bytes = file.ok() ? ReadAll(**file) : file.status();
    if (!bytes.ok()) {
      tracked_.erase(path);  // left out of the crash model
      return kNoFile;
    }
    names_[path] = durable_names_[path] = durable_bytes_.size();
    durable_bytes_.push_back(std::move(*bytes));
  }
  const auto name = names_.find(path);
  return name == names_.end() ? kNoFile : name->second;
}

void FaultyFileSystem::FlushFolder(const std::string& path) {
  const std::string folder = FolderOf(path);
  for (const std::string& tracked : tracked_) {
    if (FolderOf(tracked) != folder) continue;
    const auto name = names_.find(tracked);
    name == names_.end() ? (void)durable_names_.erase(tracked) : (void)(durable_names_[tracked] = name->second);
  }
}

Status FaultyFileSystem::Crash() {
  for (const std::string& path : tracked_) {
    const auto name = durable_names_.find(path);
    if (name == durable_names_.end()) {
      OLDVEK_RETURN_IF_ERROR(real_.Remove(path));
      continue;
    }
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> file,
                            real_.Open(path, {Access::kReadWrite, Share::kShared, Disposition::kCreateOrTruncate}));
    OLDVEK_RETURN_IF_ERROR(file->Append(durable_bytes_[name->second]));
    OLDVEK_RETURN_IF_ERROR(file->Close());
  }
  names_ = durable_names_;
  return Status::Ok();
}

Result<std::vector<std::string>> FaultyFileSystem::List(const std::string& folder) {
  OLDVEK_RETURN_IF_ERROR(Step("list " + folder));
  return real_.List(folder);
}

}  // namespace oldvek::testing
