#ifndef VEKHELP_TESTING_TEMP_HELP_FILE_H_
#define VEKHELP_TESTING_TEMP_HELP_FILE_H_

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "help_file.h"

namespace vekhelp::testing {

// A help file of the test's own in a fresh folder, removed with the folder when the test ends.
class TempHelpFile {
 public:
  TempHelpFile() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string name = "vekhelp-test-" + std::to_string(stamp) + "-" + std::to_string(counter++);
    std::filesystem::create_directories(folder_ = std::filesystem::temp_directory_path() / name);
  }
  ~TempHelpFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempHelpFile(const TempHelpFile&) = delete;
  TempHelpFile& operator=(const TempHelpFile&) = delete;

  // Writes the lines, each ended by CR LF, as the file's whole content.
  void Write(std::initializer_list<std::string_view> lines) const {
    std::string bytes;
    for (std::string_view line : lines) bytes.append(line).append("\r\n");
    WriteBytes(bytes);
  }
  // Writes the bytes exactly as given.
  void WriteBytes(std::string_view bytes) const {
    std::ofstream out(path(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path().string());
  }
  void Remove() const { std::filesystem::remove(path()); }
  // Puts a directory where the file was: a file that opens, or not, but cannot be read.
  void ReplaceWithDirectory() const {
    Remove();
    std::filesystem::create_directory(path());
  }

  // The folder holding the file, and the file as the viewer reads it.
  std::string folder() const { return folder_.string(); }
  HelpFile file() const { return HelpFile(path().string()); }

 private:
  std::filesystem::path path() const { return folder_ / kHelpFileName; }

  std::filesystem::path folder_;
};

}  // namespace vekhelp::testing

#endif  // VEKHELP_TESTING_TEMP_HELP_FILE_H_
