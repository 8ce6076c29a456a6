#include <filesystem>

#include "platform/file.h"

namespace oldvek {

Result<std::vector<std::string>> FileSystem::List(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
       entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  if (error) return Status::Error(folder + ": cannot list the folder (" + error.message() + ")");
  return names;
}

}  // namespace oldvek
