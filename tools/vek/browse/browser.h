#ifndef OLDVEK_TOOLS_VEK_BROWSE_BROWSER_H_
#define OLDVEK_TOOLS_VEK_BROWSE_BROWSER_H_

// The reader's state and keyboard rules without the drawing: three panes (packets, the open
// packet's snippets or the hits of a search, the open snippet's text), the selection and
// scrolling of each, the help screen and the one-line prompts. The front end hands it keys
// and clicks and draws what it says; everything it reads goes through an ArchiveView.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "browse/archive_view.h"

namespace vek {

enum class Pane { kPackets, kSnippets, kCode };

struct Key {
  enum Kind {
    kCharacter,
    kUp,
    kDown,
    kPageUp,
    kPageDown,
    kHome,
    kEnd,
    kEnter,
    kLeft,
    kRight,
    kBackspace,
    kTab,
    kBackTab,
    kEscape
  };
  Kind kind = kCharacter;
  char character = 0;
};

// What the front end must do after a key.
struct Action {
  enum Kind { kNone, kQuit, kCopy };
  Kind kind = kNone;
  std::string text;  // for kCopy: the code lines, each ended by a line feed
};

// A list's selected entry and first entry on screen, both from 0.
struct ListState {
  uint64_t selected = 0;
  uint64_t top = 0;
};

// A row of the text pane; code rows are highlighted as BASIC.
struct TextRow {
  std::string text;
  bool code = false;
};

class Browser {
 public:
  explicit Browser(ArchiveView& archive) : archive_(archive) {}

  // How many rows each pane shows, for paging and for keeping the selection in sight.
  void SetPageRows(int packets, int snippets, int text);

  void OpenPacket(size_t packet);
  Action HandleKey(const Key& key);
  // A click on row `row` (from the pane's first row) selects what is there and gives the pane
  // the focus; a second click on the same entry opens it.
  void Click(Pane pane, int row);
  // The mouse wheel: `steps` rows down (up when negative).
  void Wheel(Pane pane, int steps);

  Pane focus() const { return focus_; }
  bool help_shown() const { return help_shown_; }
  // The prompt being typed ("Search: swap"), if any.
  std::optional<std::string> prompt() const;
  const std::string& status() const { return status_; }
  // Where the reader is, for the status line: "SORTS 2/3", or "swap: hit 1/4".
  std::string Where() const;

  std::vector<std::string> PacketRows();  // from the packet list's top, at most a page
  const ListState& packet_list() const { return packets_; }
  std::string SnippetsTitle() const;
  std::vector<std::string> SnippetRows();  // the snippets or the hits, from the list's top
  const ListState& snippet_list() const { return showing_hits_ ? hits_list_ : snippets_; }
  std::string TextTitle() const;
  std::vector<TextRow> TextRows() const;  // from the text's top, at most a page

  static const std::vector<std::string>& HelpLines();

 private:
  enum class Prompting { kNone, kSearch, kExtract };

  void Fail(const std::exception& error);
  uint64_t Count(Pane pane) const;
  ListState& List(Pane pane);
  int Rows(Pane pane) const;
  void Move(Pane pane, int64_t step);
  void MoveTo(Pane pane, uint64_t entry);
  void OpenSelected();
  void OpenSnippet(size_t packet, uint64_t number);
  void Back();
  void StepHit(int step);
  void Submit();
  void BuildText();
  Action HandlePromptKey(const Key& key);

  ArchiveView& archive_;
  Pane focus_ = Pane::kPackets;
  ListState packets_;
  std::optional<size_t> packet_;  // whose snippets are listed
  ListState snippets_;
  bool showing_hits_ = false;
  std::string term_;
  std::vector<Hit> hits_;
  ListState hits_list_;
  std::optional<std::pair<size_t, uint64_t>> opened_;  // packet and snippet in the text pane
  SnippetText text_;
  bool show_encoded_ = false;
  std::vector<TextRow> rows_;
  uint64_t text_top_ = 0;
  int page_rows_[3] = {1, 1, 1};
  bool help_shown_ = false;
  Prompting prompting_ = Prompting::kNone;
  std::string typed_;
  std::string status_;
};

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_BROWSE_BROWSER_H_
