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

// Readers that began before the lock file was made hold the packet's files open without it;
// an editor lets them finish (each file can be opened alone), so that its own exclusive opens
// and renames do not fail on their account. Readers that come later wait on the lock file. A
// file still held after a while is held by some other program: the edit's own open says so.
constexpr auto kReaderPatience = std::chrono::milliseconds(1000);

Status WaitForReadersWithoutLock(FileSystem& file_system, const PacketFiles& files) {
  const auto give_up = std::chrono::steady_clock::now() + kReaderPatience;
  for (const std::string* path : {&files.index, &files.packet}) {
    for (;;) {
      Result<std::unique_ptr<File>> alone =
          file_system.Open(*path, {Access::kRead, Share::kExclusive, Disposition::kOpenExisting});
      if (alone.ok()) OLDVEK_RETURN_IF_ERROR((*alone)->Close());
      if (alone.ok() || alone.status().kind() != Status::Kind::kInUse) break;
      if (std::chrono::steady_clock::now() >= give_up) return Status::Ok();
      std::this_thread::sleep_for(kRetryPause);
    }
  }
  return Status::Ok();
}

// Only an editor, who is alone with the packet, leaves a mark or rebuilt files behind while
// it runs; a reader holding the shared lock that sees one sees an interruption to mend.
// `no_lock_file`: the lock file was looked for just now and is absent, so no editor has begun
// since the folder was listed (an edit makes the lock file first): a file an editor leaves
// that the listing lacks is absent still, and needs no lookup.
bool NeedsSettling(FileSystem& file_system, const PacketFiles& files, bool no_lock_file = false) {
  for (const std::string* path : {&files.mark, &files.rebuilt_packet, &files.rebuilt_index}) {
    if (!(no_lock_file && file_system.ListedWithout(*path)) && file_system.Exists(*path)) return true;
  }
  return false;
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
  return {files.index,    files.packet,         PacketPath(folder, base, kLockExtension),
          files.mark,     files.rebuilt_packet, files.rebuilt_index,
          files.set_aside};
}

// Settles `base`, its lock held; the destination of a move interrupted at its commit point is
// settled first, so that the move's two halves are completed together.
Status PacketLock::Settle(FileSystem& file_system, std::string_view folder, const PacketName& base,
                          std::chrono::milliseconds patience) {
  if (const std::optional<PacketName> first = PacketToSettleFirst(file_system, folder, base)) {
    OLDVEK_ASSIGN_OR_RETURN(PacketLock other, Take(file_system, folder, *first, PacketAccess::kEdit, patience));
  }
  return SettlePacket(file_system, folder, base);
}

Result<PacketLock> PacketLock::Take(FileSystem& file_system, std::string_view folder, const PacketName& base,
                                    PacketAccess access, std::chrono::milliseconds patience) {
  const std::string path = PacketPath(folder, base, kLockExtension);
  const PacketFiles files(folder, base);
  if (access == PacketAccess::kEdit) {
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<FileLock> alone, Wait(file_system, path, base, true, patience));
    OLDVEK_RETURN_IF_ERROR(WaitForReadersWithoutLock(file_system, files));
    OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
    return PacketLock(std::move(alone));
  }
  // No lock file, so no editor has begun; a packet with an interruption to mend is the one
  // case where a reader makes it, to mend the interruption alone.
  if ((access == PacketAccess::kInspect || access == PacketAccess::kRead) && !file_system.Exists(path) &&
      (access == PacketAccess::kInspect || !NeedsSettling(file_system, files, true))) {
    return PacketLock(nullptr, path);
  }
  if (access == PacketAccess::kInspect) {
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<FileLock> shared, WaitOrGoWithout(file_system, path, base, patience));
    return PacketLock(std::move(shared));
  }
  // A reader that finds an interruption to mend lets go, mends it alone, and looks again: the
  // packet may have moved on meanwhile. A mark that settling cannot clear is met by
  // SettlePacket's own failure on the last round.
  constexpr int kRounds = 3;
  for (int round = 1;; ++round) {
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<FileLock> shared, WaitOrGoWithout(file_system, path, base, patience));
    if (shared == nullptr || round == kRounds || !NeedsSettling(file_system, files)) {
      OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
      return PacketLock(std::move(shared));
    }
    shared.reset();
    OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<FileLock> alone, Wait(file_system, path, base, true, patience));
    OLDVEK_RETURN_IF_ERROR(Settle(file_system, folder, base, patience));
  }
}

Status PacketLock::Steady(FileSystem& file_system) const {
  if (watched_.empty() || !file_system.Exists(watched_)) return Status::Ok();
  return Status::Error(watched_ + " appeared: the packet was changed by another program while it was read",
                       Status::Kind::kChanged);
}

}  // namespace oldvek
