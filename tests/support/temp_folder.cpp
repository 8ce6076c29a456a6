#include "temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace oldvek::testing {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path folder =
      fs::temp_directory_path() / ("oldvek-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(folder);
  path_ = folder.string() + static_cast<char>(fs::path::preferred_separator);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(fs::path(path_), ignored);
}

std::set<std::string> TempFolder::Files() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(path_))) names.insert(entry.path().filename().string());
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) { return fs::exists(fs::path(path)); }

}  // namespace oldvek::testing
