#ifndef VEKHELP_TESTING_TEMP_HELP_FILE_H_
#define VEKHELP_TESTING_TEMP_HELP_FILE_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "help_file.h"

namespace vekhelp::testing {

// A help file of the test's own in a fresh folder, removed with the folder when the test ends.
class TempHelpFile {
 public:
  TempHelpFile();
  ~TempHelpFile();
  TempHelpFile(const TempHelpFile&) = delete;
  TempHelpFile& operator=(const TempHelpFile&) = delete;

  // Writes the lines, each ended by CR LF, as the file's whole content.
  void Write(std::initializer_list<std::string_view> lines) const;
  // Writes the bytes exactly as given.
  void WriteBytes(std::string_view bytes) const;
  void Remove() const;
  // Puts a directory where the file was: a file that opens, or not, but cannot be read.
  void ReplaceWithDirectory() const;

  // The folder holding the file, and the file as the viewer reads it.
  const std::string& folder() const { return folder_; }
  HelpFile file() const { return HelpFile(path_); }

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace vekhelp::testing

#endif  // VEKHELP_TESTING_TEMP_HELP_FILE_H_
