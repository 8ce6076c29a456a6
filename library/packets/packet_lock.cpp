#include "packets/packet_lock.h"

#include <chrono>
#include <thread>

#include "packets/packet_commit.h"
#include "packets/packet_files.h"

namespace oldvek {
namespace {

constexpr std::string_view kLockExtension = ".$LK";
constexpr auto kRetryPause = std::chrono::milliseconds(5);

Result<std::unique_ptr<FileLock>> Wait(FileSystem& file_system, const std::string& path, std::string_view base,
                                       bool exclusive, std::chrono::milliseconds patience) {
  const auto give_up = std::chrono::steady_clock::now() + patience;
  for (;;) {
    Result<std::unique_ptr<FileLock>> lock = file_system.TryLock(path, exclusive);
    if (lock.ok() || lock.status().kind() != Status::Kind::kInUse) return lock;
    if (std::chrono::steady_clock::now() >= give_up) {
      return Status::Error(std::string(base) + " is in use by another program", Status::Kind::kInUse);
    }
    std::this_thread::sleep_for(kRetryPause);
  }
}

// Only an editor, who is alone with the packet, leaves a mark or rebuilt files behind while
// it runs; a reader holding the shared lock that sees one sees an interruption to mend.
bool NeedsSettling(FileSystem& file_system, const PacketFiles& files) {
  return file_system.Exists(files.mark) || file_system.Exists(files.rebuilt_packet) ||
         file_system.Exists(files.rebuilt_index);
}

// A shared lock, or none where no lock file can be made: nothing on such a medium can change,
// so readers need no lock there.
Result<std::unique_ptr<FileLock>> WaitOrGoWithout(FileSystem& file_system, const std::string& path,
                                                  std::string_view base, std::chrono::milliseconds patience) {
  Result<std::unique_ptr<FileLock>> lock = Wait(file_system, path, base, false, patience);
  if (!lock.ok() && lock.status().kind() == Status::Kind::kWriteRefused) return std::unique_ptr<FileLock>();
  return lock;
}

}  // namespace

std::vector<std::string> PacketFileNames(std::string_view folder, const PacketName& base) {
  const PacketFiles files(folder, base);
  return {files.index,         files.packet, PacketPath(folder, base, kLockExtension), files.mark, files.rebuilt_packet,
          files.rebuilt_index, files.set_aside};
}

// Settles `base`, its lock held; the destination of a move interrupted at its commit point is
// settled first, so that the move's two halves are completed together.
Status PacketLock::Settle(FileSystem& file_system, std::string_view folder, const PacketName& base,
                          std::chrono::milliseconds patience) {
  if (const std::optional<PacketName> first = PacketToSettleFirst(file_system, folder, base)) {
    Result<PacketLock> other = Take(file_system, folder, *first, PacketAccess::kEdit, patience);
    if (!other.ok()) return other.status();
  }
  return SettlePacket(file_system, folder, base);
}

Result<PacketLock> PacketLock::Take(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                    PacketAccess access, std::chrono::milliseconds patience) {
  const std::string path = PacketPath(folder, base, kLockExtension);
  if (access == PacketAccess::kEdit) {
    Result<std::unique_ptr<FileLock>> alone = Wait(file_system, path, base, true, patience);
    if (!alone.ok()) return alone.status();
    OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
    return PacketLock(std::move(*alone));
  }
  if (access == PacketAccess::kInspect) {
    Result<std::unique_ptr<FileLock>> shared = WaitOrGoWithout(file_system, path, base, patience);
    if (!shared.ok()) return shared.status();
    return PacketLock(std::move(*shared));
  }
  // A reader that finds an interruption to mend lets go, mends it alone, and looks again: the
  // packet may have moved on meanwhile. A mark that settling cannot clear is met by
  // SettlePacket's own failure on the last round.
  const PacketFiles files(folder, base);
  constexpr int kRounds = 3;
  for (int round = 1;; ++round) {
    Result<std::unique_ptr<FileLock>> shared = WaitOrGoWithout(file_system, path, base, patience);
    if (!shared.ok()) return shared.status();
    if (*shared == nullptr || round == kRounds || !NeedsSettling(file_system, files)) {
      OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
      return PacketLock(std::move(*shared));
    }
    shared->reset();
    Result<std::unique_ptr<FileLock>> alone = Wait(file_system, path, base, true, patience);
    if (!alone.ok()) return alone.status();
    OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
  }
}

}  // namespace oldvek
