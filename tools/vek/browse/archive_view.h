#ifndef OLDVEK_TOOLS_VEK_BROWSE_ARCHIVE_VIEW_H_
#define OLDVEK_TOOLS_VEK_BROWSE_ARCHIVE_VIEW_H_

// What the reader asks of an archive, a window at a time: the browser never holds more of
// a packet than the rows on screen. Text is as stored (archive bytes); failures are thrown
// as vek's Failure and shown on the status line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vek {

struct PacketRow {
  std::string name;
  uint64_t snippets = 0;
};

struct SnippetRow {
  uint64_t number = 0;  // from 1
  bool unread = false;
  bool attachment = false;
  std::string subject;  // without trailing blanks
  std::string author;
};

// A snippet found by a search of the whole archive.
struct Hit {
  size_t packet = 0;  // in packets()
  SnippetRow row;
};

// What a search of the whole archive found, and what it could not read ("" for nothing).
struct Found {
  std::vector<Hit> hits;
  std::string left_out;
};

// One snippet opened: its header fields (name, value) and its code lines.
struct SnippetText {
  std::vector<std::pair<std::string, std::string>> fields;
  std::vector<std::string> lines;
  bool attachment = false;
};

class ArchiveView {
 public:
  virtual ~ArchiveView() = default;

  virtual const std::vector<PacketRow>& packets() const = 0;
  // The packet's snippets from number `first` on, at most `count`; the packet's snippet
  // count is brought up to date in packets() when it has changed.
  virtual std::vector<SnippetRow> Snippets(size_t packet, uint64_t first, size_t count) = 0;
  virtual SnippetText Open(size_t packet, uint64_t number) = 0;
  // Snippets whose subject, author, origin or code holds `term`, in any letter case.
  virtual Found Search(const std::string& term) = 0;
  // Writes the snippet to `path` as `vek extract` does (its attachment set, or its text);
  // returns what came out.
  virtual std::string Extract(size_t packet, uint64_t number, bool attachment, const std::string& path) = 0;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_ARCHIVE_VIEW_H_
