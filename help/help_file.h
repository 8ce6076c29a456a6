#ifndef VEKHELP_HELP_FILE_H_
#define VEKHELP_HELP_FILE_H_

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace vekhelp {

// The name of the help text file, looked up in the current directory.
inline constexpr std::string_view kHelpFileName = "VEKHelp.CFG";

// The help text file. Nothing is cached: every request opens the file, reads it from the
// start and closes it again, so an edit of the file shows on the next request.
class HelpFile {
 public:
  explicit HelpFile(std::string path = std::string(kHelpFileName)) : path_(std::move(path)) {}

  // Hands the file's lines, in order, to `visit` until it returns false or the file ends.
  // A line ends at LF; a CR before the LF is dropped, so CR LF and LF files read alike, and
  // a last line without a line end still counts. Lines have no length limit. Returns false
  // when the file cannot be opened or a read fails: the caller then throws away whatever
  // it was given.
  bool ReadLines(const std::function<bool(const std::string& line)>& visit) const;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vekhelp

#endif  // VEKHELP_HELP_FILE_H_
