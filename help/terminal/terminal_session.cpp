#include "terminal/terminal_session.h"

#include <algorithm>

#include "ascii_text.h"
#include "command_line.h"
#include "help_lists.h"
#include "topic_loader.h"

namespace vekhelp {
namespace {

std::string Bracketed(std::string_view name) { return "<" + std::string(name) + ">"; }

bool HasTopic(const HelpFile& file, const std::string& header) {
  HelpLists lists;
  bool see_also_found = false;
  return LoadTopic(file, header, lists, see_also_found);
}

std::string Plural(size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace

std::string TopicHeader(const HelpFile& file, std::string_view argument_text) {
  const std::string name = FirstTopic(argument_text);
  if (HoldsHeaderMark(name)) return name;
  const std::string as_typed = Bracketed(name);
  if (HasTopic(file, as_typed)) return as_typed;
  // Else the first topic whose header matches in any letter case: "loops" opens <Loops>.
  const std::string upper = AsciiUpperCase(as_typed);
  std::string found;
  file.ReadLines([&](const std::string& line) {
    if (AsciiUpperCase(line) == upper && upper != "<END>" && upper != "<ENDHELP>") found = line;
    return found.empty();
  });
  return found.empty() ? Bracketed(AsciiUpperCase(name)) : found;
}

void TerminalSession::Start(std::string_view argument_text) {
  const std::string header = TopicHeader(file_, argument_text);
  viewer_.Start(header);
  Opened(header);
}

bool TerminalSession::Handle(const Request& request) {
  switch (request.kind) {
    case Request::kNothing: break;
    case Request::kSearch: Search(request.text); break;
    case Request::kOpenContents:
      viewer_.OpenContentsEntry(request.text);
      Opened(Bracketed(request.text));
      break;
    case Request::kOpenSeeAlso: {
      const bool header = request.text.starts_with('<') && request.text.ends_with('>');
      viewer_.OpenSeeAlsoEntry(request.text);
      Opened(header ? request.text : Bracketed(request.text));
      break;
    }
    case Request::kBack: Back(); break;
    case Request::kNextFound: NextFound(); break;
    case Request::kExit: return false;
  }
  return true;
}

void TerminalSession::Opened(const std::string& header) {
  if (!FileReadable()) {
    view_.set_status("Help file not found: " + file_.path());
  } else if (!Shows(header)) {
    view_.set_status("Topic not found: " + header);
  } else {
    if (history_.empty() || history_.back() != header) history_.push_back(header);
    view_.set_status(header);
  }
}

void TerminalSession::Back() {
  if (history_.size() < 2) {
    view_.set_status("No earlier topic");
    return;
  }
  history_.pop_back();
  const std::string header = history_.back();
  history_.pop_back();  // Opened puts it back
  viewer_.OpenSeeAlsoEntry(header);
  Opened(header);
}

void TerminalSession::NextFound() {
  if (found_.empty()) {
    view_.set_status("Nothing found to go to: search first");
    return;
  }
  const auto current = history_.empty() ? found_.end() : std::find(found_.begin(), found_.end(), history_.back());
  const size_t next = current == found_.end() ? 0 : static_cast<size_t>(current - found_.begin() + 1) % found_.size();
  viewer_.OpenSeeAlsoEntry(found_[next]);
  Opened(found_[next]);
  if (Shows(found_[next])) {
    view_.set_status("Found " + std::to_string(next + 1) + " of " + std::to_string(found_.size()) + ": " +
                     found_[next]);
  }
}

void TerminalSession::Search(const std::string& text) {
  const std::string upper = AsciiUpperCase(text);
  viewer_.Search(upper);
  found_.clear();
  // Search results are full header lines; the topic's own see-also names have no brackets.
  for (const std::string& entry : viewer_.lists().see_also_entries) {
    if (HoldsHeaderMark(entry)) found_.push_back(entry);
  }
  view_.set_highlight(found_.empty() ? std::string() : upper);
  if (!FileReadable()) {
    view_.set_status("Help file not found: " + file_.path());
  } else if (found_.empty()) {
    view_.set_status("No topic holds \"" + upper + "\"");
  } else {
    view_.set_status(Plural(found_.size(), "topic") + " found: Enter on one in SEE, or n for the next");
  }
}

bool TerminalSession::Shows(std::string_view header) const {
  const std::vector<std::string>& lines = viewer_.lists().topic_lines;
  return !lines.empty() && lines.front() == header;
}

bool TerminalSession::FileReadable() const {
  return file_.ReadLines([](const std::string&) { return false; });
}

}  // namespace vekhelp
