#include "viewer.h"

#include "ascii_text.h"
#include "help_search.h"
#include "topic_loader.h"
#include "topic_text.h"

namespace vekhelp {
namespace {

// The header line of a topic named `name`.
std::string Bracketed(std::string_view name) {
  std::string header(1, '<');
  header.append(name).push_back('>');
  return header;
}

}  // namespace

void Viewer::Start(std::string_view first_topic) {
  bool see_also_found = false;
  if (LoadTopic(file_, kContentsHeader, lists_, see_also_found)) FillContents();
  ShowTopic(first_topic, see_also_found);
  if (see_also_found) FillSeeAlso();
}

void Viewer::OpenContentsEntry(std::string_view entry) { OpenTopic(Bracketed(entry)); }

void Viewer::OpenSeeAlsoEntry(std::string_view entry) {
  if (entry.starts_with('<') && entry.ends_with('>')) {
    OpenTopic(entry);
  } else {
    OpenContentsEntry(entry);
  }
}

void Viewer::Search(std::string_view find_text) {
  SearchHelp(file_, AsciiUpperCase(find_text), lists_);
  FillSeeAlso();
}

void Viewer::ShowTopic(std::string_view header, bool& see_also_found) {
  if (LoadTopic(file_, header, lists_, see_also_found)) FillTopicText();
}

void Viewer::OpenTopic(std::string_view header) {
  bool see_also_found = false;
  ShowTopic(header, see_also_found);
  if (see_also_found) {
    FillSeeAlso();
  } else {
    // One empty slot, as a topic without see-also lines leaves it.
    lists_.see_also_entries.assign(1, std::string());
    display_.ShowSeeAlso({});
  }
}

void Viewer::FillContents() {
  lists_.contents_entries.clear();
  for (const std::string& line : lists_.topic_lines) {
    if (!HoldsHeaderMark(line)) lists_.contents_entries.push_back(line);
  }
  display_.ShowContents(lists_.contents_entries);
}

void Viewer::FillTopicText() {
  display_.ShowTopicText(TopicText(lists_.topic_lines));
  if (const auto selection = ContentsSelection(lists_.topic_lines, lists_.contents_entries)) {
    display_.SelectContents(*selection);
  }
}

void Viewer::FillSeeAlso() { display_.ShowSeeAlso(lists_.see_also_entries); }

}  // namespace vekhelp
