#include "platform/output_file.h"

#include <random>

#include "base/text.h"

namespace oldvek {
namespace {

// The temporary file is PATH.~ and eight random hex digits, created only if no file has that
// name: a leftover of an earlier run, or anyone's file, is never reused or removed.
constexpr int kTemporaryNames = 16;

std::string TemporaryName(const std::string& path) {
  static std::mt19937 generator{std::random_device{}()};
  return path + ".~" + HexText(generator() | 0x10000000u);
}

}  // namespace

Result<OutputFile> OutputFile::Create(FileSystem& file_system, std::string path,
                                      std::span<const std::string> inputs) {
  for (const std::string& input : inputs) {
    if (file_system.SameFile(path, input)) {
      return Status::Error("cannot write " + path + ": it is " + input + ", which is being read");
    }
  }
  Status failure;
  for (int n = 0; n < kTemporaryNames; ++n) {
    std::string temporary = TemporaryName(path);
    Result<std::unique_ptr<File>> file =
        file_system.Open(temporary, {Access::kReadWrite, Share::kExclusive, Disposition::kCreateNew});
    if (file.ok()) return OutputFile(file_system, std::move(path), std::move(temporary), std::move(*file));
    failure = file.status();
    if (!file_system.Exists(temporary)) break;  // not a name clash: the folder refuses the file
  }
  // The user knows the name asked for, not the temporary one: "cannot open OUT: <reason>".
  const std::string& message = failure.message();
  const size_t reason = message.rfind(": ");
  return Status::Error("cannot open " + path + (reason == std::string::npos ? ": " + message : message.substr(reason)));
}

OutputFile::~OutputFile() {
  if (committed_ || file_ == nullptr) return;
  (void)file_->Close();
  (void)file_system_.Remove(temporary_);
}

Status OutputFile::Finish() {
  if (finished_) return Status::Ok();
  OLDVEK_RETURN_IF_ERROR(file_->Sync());
  OLDVEK_RETURN_IF_ERROR(file_->Close());
  finished_ = true;
  return Status::Ok();
}

Status OutputFile::Commit() {
  OLDVEK_RETURN_IF_ERROR(Finish());
  OLDVEK_RETURN_IF_ERROR(file_system_.Replace(temporary_, path_));
  committed_ = true;
  return Status::Ok();
}

}  // namespace oldvek
