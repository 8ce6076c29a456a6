#ifndef OLDVEK_PACKETS_PACKET_LOCK_H_
#define OLDVEK_PACKETS_PACKET_LOCK_H_

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/status.h"
#include "packets/packet_files.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

enum class PacketAccess {
  kRead,     // shared with other readers; without a lock file while the packet has none (Steady)
  kMark,     // shared like kRead, for a reader that writes read marks: always under the lock file
  kEdit,     // alone with the packet
  kInspect,  // like kRead, but what an interruption left is looked at as it is, not settled
};

// One lock per packet, on the lock file BASE.$LK beside it, taken before any of the packet's
// files is opened and held for the whole operation: a reader sees the packet before or after
// an edit, never half of each, and two editors take turns. Taking it also settles the packet
// (SettlePacket) under an exclusive lock, so that no reader watches an interruption being
// mended. A lock another program holds is waited for a short while, then the operation fails
// with "BASE is in use by another program". Where no lock file can be made (a read-only
// medium) readers go on without one: nothing there can change.
//
// Reading writes nothing: lock files are made by writers alone, before they change anything,
// and never removed. A reader of a packet that has none yet reads without a lock and asks
// Steady() before it hands out what it read: while no lock file has appeared, no editor has
// begun, so everything read so far is of one generation (docs/reliability.md).
class PacketLock {
 public:
  // Long enough for an edit of a large packet; a lock held longer is someone else's work that
  // the user should hear about.
  static constexpr std::chrono::milliseconds kPatience{5000};

  static Result<PacketLock> Take(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                 PacketAccess access, std::chrono::milliseconds patience = kPatience);

  // Fails (kChanged) when this reader went without a lock file and an editor has made one
  // since: what was read may mix two generations. A reader that has handed nothing out yet
  // reads again (ReadPacket); a lock file, once made, is there for every later reader.
  Status Steady(FileSystem& file_system) const;

 private:
  explicit PacketLock(std::unique_ptr<FileLock> lock, std::string watched = {})
      : lock_(std::move(lock)), watched_(std::move(watched)) {}
  static Status Settle(FileSystem& file_system, std::string_view folder, const PacketName& base,
                       std::chrono::milliseconds patience);

  std::unique_ptr<FileLock> lock_;  // null where no lock file could be made, or none was there
  std::string watched_;             // the lock file a reader without one watches for
};

// Runs `read(lock)` as a reader of `base` taking `access`; when the reader went without a
// lock file and one appeared meanwhile, what it read is thrown away and it reads once more,
// under the lock. `read` must hand nothing out before it returns.
template <typename Read>
auto ReadPacket(FileSystem& file_system, std::string_view folder, const PacketName& base, PacketAccess access,
                Read read) -> decltype(read(std::declval<const PacketLock&>())) {
  for (;;) {
    OLDVEK_ASSIGN_OR_RETURN(PacketLock lock, PacketLock::Take(file_system, folder, base, access));
    auto result = read(lock);
    if (lock.Steady(file_system).ok()) return result;
  }
}

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_LOCK_H_
