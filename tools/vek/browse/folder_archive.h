#ifndef OLDVEK_TOOLS_VEK_BROWSE_FOLDER_ARCHIVE_H_
#define OLDVEK_TOOLS_VEK_BROWSE_FOLDER_ARCHIVE_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "browse/archive_view.h"
#include "packets/packet_name.h"

namespace vek {

// The archive of a folder, read as `vek list`, `show`, `search` and `extract` read it. A
// packet's snippet rows are read a window at a time and kept; a window read again is the
// packet's files changing (size or time), after which every kept row of it is dropped.
class FolderArchive final : public ArchiveView {
 public:
  // `folder` exists and carries its separator; `mark_read` lets opening a snippet mark it read.
  FolderArchive(std::string folder, bool mark_read);

  const std::vector<PacketRow>& packets() const override { return packets_; }
  std::vector<SnippetRow> Snippets(size_t packet, uint64_t first, size_t count) override;
  SnippetText Open(size_t packet, uint64_t number) override;
  Found Search(const std::string& term) override;
  std::string Extract(size_t packet, uint64_t number, bool attachment, const std::string& path) override;

 private:
  static constexpr uint64_t kWindow = 64;     // rows read at once
  static constexpr size_t kKeptWindows = 64;  // per packet, at most

  struct Kept {
    std::string stamp;                                    // the files' sizes and times when the rows were read
    std::map<uint64_t, std::vector<SnippetRow>> windows;  // by first number
  };

  std::string Stamp(const oldvek::PacketName& base) const;
  const std::vector<SnippetRow>& Window(size_t packet, uint64_t first);

  std::string folder_;
  bool mark_read_;
  std::vector<oldvek::PacketName> names_;  // of packets_, one for one
  std::vector<PacketRow> packets_;
  std::map<size_t, Kept> kept_;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_FOLDER_ARCHIVE_H_
