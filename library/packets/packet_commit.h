#ifndef OLDVEK_PACKETS_PACKET_COMMIT_H_
#define OLDVEK_PACKETS_PACKET_COMMIT_H_

// Changes to a packet that must never be seen half done go through a commit mark: the file
// BASE.$OK beside the packet, listing the work that completes the change. The mark is
// written whole and flushed, its folder too, before that work touches the packet's own
// files, is held open exclusively while the work runs, and is removed when the work is
// done. Every operation on a packet settles it first (SettlePacket): a complete mark is
// carried out again (each step may be repeated safely), a mark cut short is discarded (its
// work never began), and rebuilt files that no mark claims are left over from a rebuild
// that never committed and are removed.
//
// Two kinds of work use it. A rebuild writes BASE.$VE and BASE.$ID completely, then marks
// "place": each rebuilt file takes the place of its original by an atomic rename. An
// in-place change marks "patch": writes of whole blocks at fixed positions, and cuts of a
// file to a length, to be applied to BASE.VEK and BASE.IDX.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/packet_files.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

enum class PacketPart : char { kPacket = 'V', kIndex = 'I' };

// One in-place step: `bytes` written at the 1-based `position`, or the file cut to `length`.
struct Patch {
  enum class Kind : char { kWrite = 'W', kCut = 'C' };

  static Patch Write(PacketPart part, uint64_t position, std::string bytes) {
    return {Kind::kWrite, part, position, std::move(bytes)};
  }
  static Patch Cut(PacketPart part, uint64_t length) { return {Kind::kCut, part, length, {}}; }

  Kind kind;
  PacketPart part;
  uint64_t value;     // position for a write, length for a cut
  std::string bytes;  // what a write puts there

  bool operator==(const Patch&) const = default;
};

// A move between two packets is one commit over both: the destination's append carries an
// undo mark linked to the move, and the source's deletion a rebuild mark linked to it. The
// source's mark is the commit point: while it stands whole, the destination keeps the append;
// without it the append is taken back. The source's mark goes only once the destination's is
// gone, so the link is never lost half way.
struct MoveLink {
  enum class Side : char { kSource = 'T', kDestination = 'F' };  // MOVE TO / MOVE FROM

  Side side;
  std::string id;     // the same random text in both marks of one move
  std::string other;  // the other packet's base name

  bool operator==(const MoveLink&) const = default;
};

// The work a mark stands for.
struct Commit {
  bool place_rebuilt = false;  // BASE.$VE replaces BASE.VEK, then BASE.$ID replaces BASE.IDX
  std::vector<Patch> patches;  // applied in order
  std::optional<MoveLink> move;

  bool operator==(const Commit&) const = default;
};

// The bytes of a mark, and back. A mark that was cut short, or is anything but what
// EncodeCommit wrote, decodes to nothing.
std::string EncodeCommit(const Commit& commit);
std::optional<Commit> DecodeCommit(std::string_view bytes);

// Why `commit` cannot be work this library wrote for files of these lengths (empty when it
// can): a write starts at most one byte past its file's end, a cut only shortens, a rebuild
// is never mixed with writes, and a move is linked to a packet of the same folder.
std::string CommitFault(const Commit& commit, uint64_t packet_length, uint64_t index_length);

// Applies `patches` in order to the open packet and index files.
Status ApplyPatches(std::span<const Patch> patches, File& packet, File& index);

// Each rebuilt file that still exists takes the place of its original; one already placed
// is passed over, so this can be repeated after an interruption. A rebuilt packet file whose
// index is missing is a failure: it is never placed alone.
Status PlaceRebuiltFiles(FileSystem& file_system, const PacketFiles& files);

// The packet that must be settled before `base` can be: the destination of a move whose
// source mark stands in `base` while the destination's undo mark still stands too.
std::optional<PacketName> PacketToSettleFirst(FileSystem& file_system, std::string_view folder, const PacketName& base);

// A mark on disk, written completely and flushed, held open exclusively so that no one
// else settles the packet while its work runs.
class CommitMark {
 public:
  static Result<CommitMark> Write(FileSystem& file_system, const PacketFiles& files, const Commit& commit);

  CommitMark(CommitMark&&) = default;
  CommitMark& operator=(CommitMark&&) = default;
  ~CommitMark();

  // The work is done (or undone): the mark goes. When this fails the mark stays, and the
  // next operation on the packet carries the work out again.
  Status Remove();
  // Lets go of the mark and leaves it on disk for the next settling.
  void Leave();

 private:
  CommitMark(FileSystem& file_system, std::string path, std::unique_ptr<File> file)
      : file_system_(&file_system), path_(std::move(path)), file_(std::move(file)) {}

  FileSystem* file_system_;
  std::string path_;
  std::unique_ptr<File> file_;
};

// Brings the packet `base` to a state no interruption left behind: carries out a complete
// mark, discards one cut short, and removes rebuilt files that no mark claims and no running
// rebuild holds. Fails, touching nothing more, when a mark's work cannot be carried out now.
// A whole mark that is damaged (its sum or its steps do not hold) is moved aside as BASE.$BAD
// and reported by this one failure; the packet is left as it is, and the next operation goes
// ahead.
Status SettlePacket(FileSystem& file_system, std::string_view folder, const PacketName& base);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_COMMIT_H_
