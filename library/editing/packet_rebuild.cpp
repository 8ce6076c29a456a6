#include "editing/packet_rebuild.h"

namespace oldvek {
namespace {

constexpr OpenOptions kRebuiltFileOpen{Access::kReadWrite, Share::kExclusive, Disposition::kCreateOrTruncate};

}  // namespace

Result<std::unique_ptr<PacketRebuild>> PacketRebuild::Begin(FileSystem& file_system, const PacketFiles& files) {
  std::unique_ptr<PacketRebuild> rebuild(new PacketRebuild(file_system, files));
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> packet, file_system.Open(files.rebuilt_packet, kRebuiltFileOpen));
  rebuild->packet_file_ = std::move(packet);
  // Should the index not open, the packet file just made goes with the rebuild.
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<File> index, file_system.Open(files.rebuilt_index, kRebuiltFileOpen));
  rebuild->index_file_ = std::move(index);
  rebuild->packet_writer_.emplace(*rebuild->packet_file_, kWriteSize);
  rebuild->index_writer_.emplace(*rebuild->index_file_, kWriteSize);
  return rebuild;
}

PacketRebuild::~PacketRebuild() {
  if (!settled_) GiveUp();
}

void PacketRebuild::GiveUp() {
  settled_ = true;
  if (packet_file_ != nullptr) (void)packet_file_->Close();
  if (index_file_ != nullptr) (void)index_file_->Close();
  // A mark that could not be removed after a failed write may be whole; the new files are
  // then left for the next operation, which places both or discards both.
  if (file_system_.Exists(files_.mark)) return;
  // Failures leave leftovers that the next operation removes.
  if (packet_file_ != nullptr) (void)file_system_.Remove(files_.rebuilt_packet);
  if (index_file_ != nullptr) (void)file_system_.Remove(files_.rebuilt_index);
}

Status PacketRebuild::Commit(std::initializer_list<File*> originals, std::optional<MoveLink> move,
                             const std::function<Status()>& committed) {
  OLDVEK_RETURN_IF_ERROR(packet_writer_->Flush());
  OLDVEK_RETURN_IF_ERROR(index_writer_->Flush());
  OLDVEK_RETURN_IF_ERROR(packet_file_->Sync());
  OLDVEK_RETURN_IF_ERROR(index_file_->Sync());
  oldvek::Commit place;
  place.place_rebuilt = true;
  place.move = std::move(move);
  OLDVEK_ASSIGN_OR_RETURN(CommitMark mark, CommitMark::Write(file_system_, files_, place));
  settled_ = true;  // committed: from here on nothing is given up
  if (committed) OLDVEK_RETURN_IF_ERROR(committed());

  OLDVEK_RETURN_IF_ERROR(packet_file_->Close());
  OLDVEK_RETURN_IF_ERROR(index_file_->Close());
  for (File* original : originals) OLDVEK_RETURN_IF_ERROR(original->Close());
  OLDVEK_RETURN_IF_ERROR(PlaceRebuiltFiles(file_system_, files_));
  return mark.Remove();
}

}  // namespace oldvek
