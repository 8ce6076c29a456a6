#include "testing/temp_help_file.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vekhelp::testing {
namespace fs = std::filesystem;

TempHelpFile::TempHelpFile() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path folder =
      fs::temp_directory_path() / ("vekhelp-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(folder);
  folder_ = folder.string();
  path_ = (folder / std::string(kHelpFileName)).string();
}

TempHelpFile::~TempHelpFile() {
  std::error_code ignored;
  fs::remove_all(fs::path(folder_), ignored);
}

void TempHelpFile::Write(std::initializer_list<std::string_view> lines) const {
  std::string bytes;
  for (std::string_view line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  WriteBytes(bytes);
}

void TempHelpFile::WriteBytes(std::string_view bytes) const {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path_);
}

void TempHelpFile::Remove() const { fs::remove(fs::path(path_)); }

void TempHelpFile::ReplaceWithDirectory() const {
  Remove();
  fs::create_directory(fs::path(path_));
}

}  // namespace vekhelp::testing
