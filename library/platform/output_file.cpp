#include "platform/output_file.h"

#include <random>
#include <utility>

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

// "FOLDER/NAME" split after its last separator; a name alone lies in the current folder.
std::pair<std::string, std::string> FolderAndName(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return {".", path};
  return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

bool SameName(FileSystem& file_system, const std::string& a, const std::string& b) {
  const auto [a_folder, a_name] = FolderAndName(a);
  const auto [b_folder, b_name] = FolderAndName(b);
  return !a_name.empty() && EqualsIgnoringAsciiCase(a_name, b_name) &&
         (a_folder == b_folder || file_system.SameFile(a_folder, b_folder));
}

}  // namespace

Status CheckNotAnInput(FileSystem& file_system, const std::string& path, std::span<const std::string> inputs) {
  for (const std::string& input : inputs) {
    if (file_system.SameFile(path, input) || SameName(file_system, path, input)) {
      return Status::Error("cannot write " + path + ": it is " + input + ", which is being read");
    }
  }
  return Status::Ok();
}

Result<OutputFile> OutputFile::Create(FileSystem& file_system, std::string path, std::span<const std::string> inputs) {
  OLDVEK_RETURN_IF_ERROR(CheckNotAnInput(file_system, path, inputs));
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
