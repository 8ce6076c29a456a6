#ifndef OLDVEK_PLATFORM_OUTPUT_FILE_H_
#define OLDVEK_PLATFORM_OUTPUT_FILE_H_

#include <memory>
#include <span>
#include <string>

#include "base/status.h"
#include "platform/file.h"

namespace oldvek {

// An output never takes the place of a file the operation reads or locks (a packet's own
// files, the file being encoded): `path` is refused when it is one of `inputs`, by identity
// (links and aliases included) or by name in any letter case within the same folder, whether
// or not it exists yet. The message names both.
Status CheckNotAnInput(FileSystem& file_system, const std::string& path, std::span<const std::string> inputs);

// A file that appears complete or not at all: it is written under a new temporary name
// beside its final name, and Commit puts it in place by an atomic replace. An output that is
// given up (destroyed without Commit) removes only its temporary file, so a file that stood
// under the final name before is left as it was.
class OutputFile {
 public:
  // Refuses a `path` that is one of `inputs` (CheckNotAnInput): replacing it would lose them.
  static Result<OutputFile> Create(FileSystem& file_system, std::string path, std::span<const std::string> inputs = {});

  OutputFile(OutputFile&&) = default;
  OutputFile& operator=(OutputFile&&) = delete;
  ~OutputFile();

  File& file() { return *file_; }
  const std::string& path() const { return path_; }

  // Flushes the written data to the disk and closes the file, still under its temporary name;
  // outputs that belong together are all finished before the first is committed.
  Status Finish();
  // Finishes the file and puts it under its final name.
  Status Commit();

 private:
  OutputFile(FileSystem& file_system, std::string path, std::string temporary, std::unique_ptr<File> file)
      : file_system_(file_system), path_(std::move(path)), temporary_(std::move(temporary)), file_(std::move(file)) {}

  FileSystem& file_system_;
  std::string path_;
  std::string temporary_;
  std::unique_ptr<File> file_;
  bool finished_ = false;
  bool committed_ = false;
};

}  // namespace oldvek

#endif  // OLDVEK_PLATFORM_OUTPUT_FILE_H_
