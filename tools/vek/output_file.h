#ifndef OLDVEK_TOOLS_VEK_OUTPUT_FILE_H_
#define OLDVEK_TOOLS_VEK_OUTPUT_FILE_H_

#include <span>
#include <string>

namespace vek {

// A file vek writes: it appears complete or not at all. The work goes to a scratch file
// beside the output (in the temporary folder for "-", standard output), which Commit puts in
// place by a rename; an output that is not committed leaves nothing behind. An existing
// output is refused unless forced, one of `inputs` (the files the command reads or locks)
// always; missing folders on its path are created. An empty path names the output later (Name):
// its scratch file is made in the current folder meanwhile.
class OutputFile {
 public:
  OutputFile(std::string path, bool force, std::span<const std::string> inputs = {});
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Where the work is written.
  const std::string& scratch() const { return scratch_; }
  const std::string& path() const { return path_; }
  // Names an output made with an empty path: a plain file name, refused as the constructor
  // refuses a path.
  void Name(std::string path, bool force, std::span<const std::string> inputs = {});
  void Commit();

 private:
  std::string path_;
  std::string scratch_;
  bool committed_ = false;
};

// Refuses `path` when it is one of `inputs` (by identity or by name in any case) and, unless
// `force`, when it exists; then creates its missing folders. Both refusals are usage errors.
void PrepareOutput(const std::string& path, bool force, std::span<const std::string> inputs = {});

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_OUTPUT_FILE_H_
