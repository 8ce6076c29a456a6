#include "packets/packet_files.h"

namespace oldvek {

Result<std::unique_ptr<File>> OpenForReading(FileSystem& file_system, const std::string& path, OpenOptions options,
                                             bool* writable) {
  Result<std::unique_ptr<File>> file = file_system.Open(path, options);
  const bool refused = !file.ok() && file.status().kind() == Status::Kind::kWriteRefused;
  if (writable != nullptr) *writable = !refused;
  if (!refused) return file;
  return file_system.Open(path, {Access::kRead, options.share, Disposition::kOpenExisting});
}

}  // namespace oldvek
