#ifndef OLDVEK_PACKETS_PACKET_FILES_H_
#define OLDVEK_PACKETS_PACKET_FILES_H_

#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/file.h"

namespace oldvek {

// Files are named by plain concatenation: the caller's folder carries its own separator.
inline std::string PacketPath(std::string_view folder, std::string_view base, std::string_view extension) {
  std::string path;
  path.reserve(folder.size() + base.size() + extension.size());
  path.append(folder).append(base).append(extension);
  return path;
}

// How packet and index files are opened by readers: read and write, shared with other
// openers, a missing file created empty, nothing truncated.
inline constexpr OpenOptions kSharedPacketOpen{Access::kReadWrite, Share::kShared, Disposition::kOpenOrCreate};
// How the operations that must be alone with a packet open it.
inline constexpr OpenOptions kExclusivePacketOpen{Access::kReadWrite, Share::kExclusive, Disposition::kOpenOrCreate};

// Opens a packet's file as `options` asks; when the medium refuses writing (a CD-ROM, a
// read-only mount), opens an existing file for reading instead, with the same sharing, so
// that a read-only archive can still be read. `writable`, when given, tells which it was.
Result<std::unique_ptr<File>> OpenForReading(FileSystem& file_system, const std::string& path, OpenOptions options,
                                             bool* writable = nullptr);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_FILES_H_
