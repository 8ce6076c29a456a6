#ifndef VEKHELP_VIEWER_H_
#define VEKHELP_VIEWER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "help_file.h"
#include "help_lists.h"

namespace vekhelp {

// The four things on screen that the viewer changes: the Win32 dialog's controls, or the
// terminal's areas.
class ViewerDisplay {
 public:
  virtual ~ViewerDisplay() = default;
  // Empties the contents list and adds `entries` in order.
  virtual void ShowContents(const std::vector<std::string>& entries) = 0;
  // Selects the contents list's entry at `index` (from 0).
  virtual void SelectContents(size_t index) = 0;
  // Replaces the topic text; lines are ended by CR LF.
  virtual void ShowTopicText(const std::string& text) = 0;
  // Empties the see-also list and adds `entries` in order.
  virtual void ShowSeeAlso(const std::vector<std::string>& entries) = 0;
};

// What the viewer does on start-up and for each command, whatever the front-end.
class Viewer {
 public:
  Viewer(HelpFile file, ViewerDisplay& display) : file_(std::move(file)), display_(display) {}

  // Fills the contents list from "<CONTENTS>", shows `first_topic` (a header line, brackets
  // included), and fills the see-also list when either of the two had a see-also line.
  void Start(std::string_view first_topic);
  // A contents entry double-clicked: shows the topic <entry>.
  void OpenContentsEntry(std::string_view entry);
  // A see-also entry double-clicked: a search result (a header line) is shown as it is, a
  // see-also name NAME as <NAME>.
  void OpenSeeAlsoEntry(std::string_view entry);
  // SEARCH clicked with `find_text` in the search box. The box holds upper-case text only, so
  // the text is upper-cased here as the box would; the see-also list is refilled even when
  // nothing is found, so that no earlier result stays on screen.
  void Search(std::string_view find_text);

  const HelpLists& lists() const { return lists_; }

 private:
  // Loads `header` and shows its text; a topic that is not found leaves the text as it was.
  void ShowTopic(std::string_view header, bool& see_also_found);
  // After a double-click: shows `header`, then its see-also entries, or one empty slot and an
  // empty list when it has none.
  void OpenTopic(std::string_view header);
  void FillContents();
  void FillTopicText();
  void FillSeeAlso();

  HelpFile file_;
  ViewerDisplay& display_;
  HelpLists lists_;
};

}  // namespace vekhelp

#endif  // VEKHELP_VIEWER_H_
