#ifndef VEKHELP_TESTING_TEMP_HELP_FILE_H_
#define VEKHELP_TESTING_TEMP_HELP_FILE_H_

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "help_file.h"
#include "temp_folder.h"

namespace vekhelp::testing {

// A help file of the test's own in a fresh folder, removed with the folder when the test ends.
class TempHelpFile : public oldvek::testing::TempFolder {
 public:
  // Writes the lines, each ended by CR LF, as the file's whole content.
  void Write(std::initializer_list<std::string_view> lines) const {
    std::string bytes;
    for (std::string_view line : lines) bytes.append(line).append("\r\n");
    WriteBytes(bytes);
  }
  void WriteBytes(std::string_view bytes) const { oldvek::testing::WriteFileBytes(file_path(), bytes); }
  void Remove() const { std::filesystem::remove(file_path()); }

  HelpFile file() const { return HelpFile(file_path()); }

 private:
  std::string file_path() const { return File(kHelpFileName); }
};

}  // namespace vekhelp::testing

#endif  // VEKHELP_TESTING_TEMP_HELP_FILE_H_
