#ifndef OLDVEK_EDITING_PACKET_REBUILD_H_
#define OLDVEK_EDITING_PACKET_REBUILD_H_

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "base/status.h"
#include "packets/packet_commit.h"
#include "platform/buffered_writer.h"
#include "platform/file.h"

namespace oldvek {

// A packet written anew into BASE.$VE and BASE.$ID, which then take the place of BASE.VEK
// and BASE.IDX through a commit mark. Until Commit has written the mark the packet's own
// files are untouched; a rebuild given up (destroyed without committing) removes what it
// wrote.
class PacketRebuild {
 public:
  // Large pieces: a rebuild streams a whole packet.
  static constexpr size_t kWriteSize = 1 << 20;

  // Creates both new files empty, held exclusively; leftovers of an earlier run are emptied.
  static Result<std::unique_ptr<PacketRebuild>> Begin(FileSystem& file_system, const PacketFiles& files);
  ~PacketRebuild();
  PacketRebuild(const PacketRebuild&) = delete;
  PacketRebuild& operator=(const PacketRebuild&) = delete;

  BufferedWriter& packet() { return *packet_writer_; }
  BufferedWriter& index() { return *index_writer_; }

  // Writes and flushes both new files, writes the mark, closes `originals` (the open packet
  // and index files, which Windows will not replace while they are open), and puts the new
  // files in their place. A failure before the mark gives the rebuild up; a failure after it
  // leaves the mark, and the next operation on the packet completes the replacement.
  // A rebuild that deletes a moved snippet from its source carries the move's link, and
  // `committed` runs once the mark is on disk: it lets go of the destination's undo mark.
  Status Commit(std::initializer_list<File*> originals, std::optional<MoveLink> move = std::nullopt,
                const std::function<Status()>& committed = {});

 private:
  PacketRebuild(FileSystem& file_system, const PacketFiles& files) : file_system_(file_system), files_(files) {}
  void GiveUp();

  FileSystem& file_system_;
  const PacketFiles files_;
  std::unique_ptr<File> packet_file_;
  std::unique_ptr<File> index_file_;
  std::optional<BufferedWriter> packet_writer_;
  std::optional<BufferedWriter> index_writer_;
  bool settled_ = false;  // committed, or given up
};

}  // namespace oldvek

#endif  // OLDVEK_EDITING_PACKET_REBUILD_H_
