#ifndef OLDVEK_TESTS_SUPPORT_TEMP_FOLDER_H_
#define OLDVEK_TESTS_SUPPORT_TEMP_FOLDER_H_

#include <set>
#include <string>
#include <string_view>

namespace oldvek::testing {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder as the library takes it: with its trailing separator.
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + std::string(name); }
  // The names of the files and folders in it.
  std::set<std::string> Files() const;

 private:
  std::string path_;
};

// Whole-file helpers for tests; bytes in, bytes out.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_TEMP_FOLDER_H_
