#include "packets/packet_files.h"

namespace oldvek {

Status CheckPacketName(std::string_view base) {
  if (!base.empty() && base.find_first_of("\\/:") == std::string_view::npos && base.find("..") == std::string_view::npos) {
    return Status::Ok();
  }
  return Status::Error("the packet name \"" + std::string(base) + "\" is not a file in the archive folder");
}

Result<std::unique_ptr<File>> OpenForReading(FileSystem& file_system, const std::string& path, OpenOptions options,
                                             bool* writable) {
  Result<std::unique_ptr<File>> file = file_system.Open(path, options);
  const bool refused = !file.ok() && file.status().kind() == Status::Kind::kWriteRefused;
  if (writable != nullptr) *writable = !refused;
  if (!refused) return file;
  return file_system.Open(path, {Access::kRead, options.share, Disposition::kOpenExisting});
}

}  // namespace oldvek
