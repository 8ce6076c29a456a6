#ifndef OLDVEK_PACKETS_PACKET_LOCK_H_
#define OLDVEK_PACKETS_PACKET_LOCK_H_

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

enum class PacketAccess {
  kRead,  // shared with other readers
  kEdit,  // alone with the packet
  kInspect,  // shared like kRead, but what an interruption left is looked at as it is, not settled
};

// Every file of packet `base` that an operation reads, writes or locks: its two files, the
// lock file, the commit mark and a rebuild's files. An output must be none of them.
std::vector<std::string> PacketFileNames(std::string_view folder, const PacketName& base);

// One lock per packet, on the lock file BASE.$LK beside it, taken before any of the packet's
// files is opened and held for the whole operation: a reader sees the packet before or after
// an edit, never half of each, and two editors take turns. Taking it also settles the packet
// (SettlePacket) under an exclusive lock, so that no reader watches an interruption being
// mended. A lock another program holds is waited for a short while, then the operation fails
// with "BASE is in use by another program". Where no lock file can be made (a read-only
// medium) readers go on without one: nothing there can change.
class PacketLock {
 public:
  // Long enough for an edit of a large packet; a lock held longer is someone else's work that
  // the user should hear about.
  static constexpr std::chrono::milliseconds kPatience{5000};

  static Result<PacketLock> Take(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                 PacketAccess access, std::chrono::milliseconds patience = kPatience);

 private:
  explicit PacketLock(std::unique_ptr<FileLock> lock) : lock_(std::move(lock)) {}
  static Status Settle(FileSystem& file_system, std::string_view folder, const PacketName& base,
                       std::chrono::milliseconds patience);

  std::unique_ptr<FileLock> lock_;  // null where no lock file could be made
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_LOCK_H_
