#include "browse/browser.h"

#include <algorithm>
#include <exception>

#include "base/text.h"
#include "extract/page_set.h"
#include "oldvek_records.h"
#include "packets/formats.h"

namespace vek {
namespace {

constexpr size_t kLongestTerm = sizeof(SearchCriteria::CodeTextTerm);  // as long as a code term of vek search
constexpr int kClickedTwice = -1;

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string RightAligned(uint64_t number, size_t width) {
  const std::string digits = oldvek::DecimalText(number);
  return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

// "  2 N@ Subject                         Author": the unread and attachment marks.
std::string SnippetLine(const SnippetRow& row, size_t number_width) {
  return RightAligned(row.number, number_width) + ' ' + (row.unread ? 'N' : ' ') + (row.attachment ? '@' : ' ') + ' ' +
         Padded(row.subject, oldvek::SnippetHeader::kSubject.width) + ' ' + row.author;
}

uint64_t ScrollToShow(uint64_t top, uint64_t selected, int rows) {
  const auto page = static_cast<uint64_t>(std::max(rows, 1));
  if (selected < top) return selected;
  if (selected >= top + page) return selected - page + 1;
  return top;
}

}  // namespace

void Browser::SetPageRows(int packets, int snippets, int text) {
  page_rows_[0] = std::max(packets, 1);
  page_rows_[1] = std::max(snippets, 1);
  page_rows_[2] = std::max(text, 1);
  for (Pane pane : {Pane::kPackets, Pane::kSnippets}) {
    // A taller pane shows more of the list above the selection rather than empty rows below.
    ListState& list = List(pane);
    const auto rows = static_cast<uint64_t>(Rows(pane));
    list.top = ScrollToShow(std::min(list.top, Count(pane) > rows ? Count(pane) - rows : 0), list.selected, Rows(pane));
  }
}

void Browser::Fail(const std::exception& error) { status_ = error.what(); }

uint64_t Browser::Count(Pane pane) const {
  switch (pane) {
    case Pane::kPackets: return archive_.packets().size();
    case Pane::kSnippets:
      if (showing_hits_) return hits_.size();
      return packet_ ? archive_.packets()[*packet_].snippets : 0;
    case Pane::kCode: return rows_.size();
  }
  return 0;
}

ListState& Browser::List(Pane pane) {
  if (pane == Pane::kPackets) return packets_;
  return showing_hits_ ? hits_list_ : snippets_;
}

int Browser::Rows(Pane pane) const { return page_rows_[static_cast<int>(pane)]; }

void Browser::Move(Pane pane, int64_t step) {
  if (pane == Pane::kCode) {
    const uint64_t last = rows_.size() > static_cast<size_t>(Rows(pane)) ? rows_.size() - Rows(pane) : 0;
    text_top_ =
        step < 0 ? text_top_ - std::min<uint64_t>(text_top_, -step) : std::min<uint64_t>(text_top_ + step, last);
    return;
  }
  const uint64_t selected = List(pane).selected;
  MoveTo(pane, step < 0 ? selected - std::min<uint64_t>(selected, -step) : selected + step);
}

void Browser::MoveTo(Pane pane, uint64_t entry) {
  if (pane == Pane::kCode) {
    text_top_ = 0;
    Move(pane, static_cast<int64_t>(std::min<uint64_t>(entry, INT64_MAX)));
    return;
  }
  const uint64_t count = Count(pane);
  ListState& list = List(pane);
  list.selected = count == 0 ? 0 : std::min(entry, count - 1);
  list.top = ScrollToShow(list.top, list.selected, Rows(pane));
}

void Browser::OpenPacket(size_t packet) {
  if (packet >= archive_.packets().size()) return;
  packets_.selected = packet;
  packets_.top = ScrollToShow(packets_.top, packet, Rows(Pane::kPackets));
  packet_ = packet;
  snippets_ = {};
  showing_hits_ = false;
  focus_ = Pane::kSnippets;
  status_.clear();
}

void Browser::OpenSnippet(size_t packet, uint64_t number) {
  try {
    text_ = archive_.Open(packet, number);
  } catch (const std::exception& error) {
    Fail(error);
    return;
  }
  opened_ = {packet, number};
  show_encoded_ = false;
  text_top_ = 0;
  BuildText();
  focus_ = Pane::kCode;
  status_.clear();
}

void Browser::OpenSelected() {
  if (focus_ == Pane::kPackets) {
    OpenPacket(packets_.selected);
  } else if (focus_ == Pane::kSnippets && Count(Pane::kSnippets) > 0) {
    if (showing_hits_) {
      const Hit& hit = hits_[hits_list_.selected];
      OpenSnippet(hit.packet, hit.row.number);
    } else {
      OpenSnippet(*packet_, snippets_.selected + 1);
    }
  }
}

void Browser::Back() {
  if (focus_ == Pane::kCode) {
    focus_ = Pane::kSnippets;
  } else if (focus_ == Pane::kSnippets && showing_hits_ && packet_) {
    showing_hits_ = false;
  } else {
    focus_ = Pane::kPackets;
  }
}

void Browser::StepHit(int step) {
  if (hits_.empty()) {
    status_ = "No search yet: / searches the archive";
    return;
  }
  showing_hits_ = true;
  const uint64_t at = hits_list_.selected;
  if ((step < 0 && at == 0) || (step > 0 && at + 1 >= hits_.size())) {
    status_ = step < 0 ? "First hit" : "Last hit";
    return;
  }
  const Pane focus = focus_;
  MoveTo(Pane::kSnippets, at + step);
  const Hit& hit = hits_[hits_list_.selected];
  OpenSnippet(hit.packet, hit.row.number);
  focus_ = focus;
}

void Browser::BuildText() {
  rows_.clear();
  for (const auto& [name, value] : text_.fields) rows_.push_back({Padded(name, 8) + ' ' + value, false});
  rows_.push_back({std::string(40, '-'), false});
  if (text_.attachment && !show_encoded_) {
    std::vector<oldvek::PageText> pages;
    oldvek::SplitPages(text_.lines, "", pages);
    for (const oldvek::PageText& page : pages) {
      rows_.push_back({"ZORVIT attachment " + page.mark.name + ": page " + oldvek::DecimalText(page.mark.page) +
                           " of " + oldvek::DecimalText(page.mark.page_count) + ", " +
                           oldvek::DecimalText(page.lines.size()) + " encoded lines",
                       false});
    }
    rows_.push_back({"v shows the encoded lines; x extracts the attachment", false});
    return;
  }
  for (const std::string& line : text_.lines) rows_.push_back({line, true});
}

void Browser::Submit() {
  const Prompting prompting = prompting_;
  prompting_ = Prompting::kNone;
  if (typed_.empty()) return;
  try {
    if (prompting == Prompting::kSearch) {
      Found found = archive_.Search(typed_);
      const std::string left_out = found.left_out.empty() ? "" : "; left out " + found.left_out;
      if (found.hits.empty()) {
        status_ = "Nothing holds \"" + typed_ + "\"" + left_out;
        return;
      }
      std::vector<Hit>& hits = found.hits;
      term_ = typed_;
      hits_ = std::move(hits);
      hits_list_ = {};
      showing_hits_ = true;
      OpenSnippet(hits_.front().packet, hits_.front().row.number);
      focus_ = Pane::kSnippets;
      status_ = oldvek::DecimalText(hits_.size()) + (hits_.size() == 1 ? " hit" : " hits") +
                "; n and N go through them" + left_out;
    } else if (typed_ == "-") {
      status_ = "Standard output is this screen: name a file";
    } else if (opened_) {
      status_ = archive_.Extract(opened_->first, opened_->second, text_.attachment, typed_);
    }
  } catch (const std::exception& error) {
    Fail(error);
  }
}

Action Browser::HandlePromptKey(const Key& key) {
  switch (key.kind) {
    case Key::kEnter: Submit(); break;
    case Key::kEscape: prompting_ = Prompting::kNone; break;
    case Key::kBackspace:
      if (!typed_.empty()) typed_.pop_back();
      break;
    case Key::kCharacter:
      if (typed_.size() < kLongestTerm) typed_ += key.character;
      break;
    default: break;
  }
  return {};
}

Action Browser::HandleKey(const Key& key) {
  if (prompting_ != Prompting::kNone) return HandlePromptKey(key);
  if (help_shown_) {
    help_shown_ = false;
    return {};
  }
  const int page = Rows(focus_);
  switch (key.kind) {
    case Key::kUp: Move(focus_, -1); break;
    case Key::kDown: Move(focus_, 1); break;
    case Key::kPageUp: Move(focus_, -page); break;
    case Key::kPageDown: Move(focus_, page); break;
    case Key::kHome: MoveTo(focus_, 0); break;
    case Key::kEnd: MoveTo(focus_, UINT64_MAX); break;
    case Key::kEnter:
    case Key::kRight: OpenSelected(); break;
    case Key::kLeft:
    case Key::kBackspace: Back(); break;
    case Key::kTab: focus_ = static_cast<Pane>((static_cast<int>(focus_) + 1) % 3); break;
    case Key::kBackTab: focus_ = static_cast<Pane>((static_cast<int>(focus_) + 2) % 3); break;
    case Key::kEscape: return {Action::kQuit, {}};
    case Key::kCharacter:
      switch (key.character) {
        case 'q': return {Action::kQuit, {}};
        case 'k': return HandleKey({Key::kUp});
        case 'j': return HandleKey({Key::kDown});
        case '?': help_shown_ = true; break;
        case 'n': StepHit(1); break;
        case 'N': StepHit(-1); break;
        case '/':
          prompting_ = Prompting::kSearch;
          typed_.clear();
          break;
        case 'v':
          if (opened_ && text_.attachment) {
            show_encoded_ = !show_encoded_;
            text_top_ = 0;
            BuildText();
          }
          break;
        case 'x':
          if (!opened_) {
            status_ = "Open a snippet first: x extracts the snippet shown";
            break;
          }
          prompting_ = Prompting::kExtract;
          typed_ = archive_.packets()[opened_->first].name + "_" + oldvek::DecimalText(opened_->second) + ".BAS";
          if (text_.attachment) {
            std::vector<oldvek::PageText> pages;
            oldvek::SplitPages(text_.lines, "", pages);
            if (!pages.empty()) typed_ = pages.front().mark.name;
          }
          break;
        case 'y': {
          if (!opened_) {
            status_ = "Open a snippet first: y copies the code shown";
            break;
          }
          std::string code;
          for (const std::string& line : text_.lines) code += line + '\n';
          status_ = "Code copied (" + oldvek::DecimalText(text_.lines.size()) + " lines)";
          return {Action::kCopy, std::move(code)};
        }
        default: break;
      }
      break;
  }
  return {};
}

void Browser::Click(Pane pane, int row) {
  if (help_shown_ || prompting_ != Prompting::kNone || row < 0) return;
  if (pane == Pane::kCode) {
    focus_ = pane;
    return;
  }
  const uint64_t entry = List(pane).top + static_cast<uint64_t>(row);
  if (entry >= Count(pane)) return;
  const bool again = focus_ == pane && List(pane).selected == entry;
  focus_ = pane;
  MoveTo(pane, entry);
  if (again) OpenSelected();
}

void Browser::Wheel(Pane pane, int steps) {
  if (help_shown_ || prompting_ != Prompting::kNone) return;
  Move(pane, steps);
}

std::optional<std::string> Browser::prompt() const {
  if (prompting_ == Prompting::kSearch) return "Search: " + typed_;
  if (prompting_ == Prompting::kExtract) return "Extract to: " + typed_;
  return std::nullopt;
}

std::string Browser::Where() const {
  std::string where;
  if (packet_) {
    where = archive_.packets()[*packet_].name + " " + oldvek::DecimalText(snippets_.selected + 1) + "/" +
            oldvek::DecimalText(archive_.packets()[*packet_].snippets);
  }
  if (showing_hits_) {
    where = "\"" + term_ + "\" hit " + oldvek::DecimalText(hits_list_.selected + 1) + "/" +
            oldvek::DecimalText(hits_.size());
  }
  return where;
}

std::vector<std::string> Browser::PacketRows() {
  const std::vector<PacketRow>& packets = archive_.packets();
  size_t name_width = 0;
  for (const PacketRow& packet : packets) name_width = std::max(name_width, packet.name.size());
  std::vector<std::string> rows;
  for (uint64_t i = packets_.top; i < packets.size() && rows.size() < static_cast<size_t>(Rows(Pane::kPackets)); ++i) {
    rows.push_back(Padded(packets[i].name, name_width) + RightAligned(packets[i].snippets, 7));
  }
  return rows;
}

std::string Browser::SnippetsTitle() const {
  if (showing_hits_)
    return "Search \"" + term_ + "\": " + oldvek::DecimalText(hits_.size()) + (hits_.size() == 1 ? " hit" : " hits");
  if (!packet_) return "Snippets (Enter opens a packet)";
  const PacketRow& packet = archive_.packets()[*packet_];
  return packet.name + ": " + oldvek::DecimalText(packet.snippets) + (packet.snippets == 1 ? " snippet" : " snippets");
}

std::vector<std::string> Browser::SnippetRows() {
  std::vector<std::string> rows;
  const auto page = static_cast<size_t>(Rows(Pane::kSnippets));
  if (showing_hits_) {
    size_t name_width = 0;
    for (const Hit& hit : hits_) name_width = std::max(name_width, archive_.packets()[hit.packet].name.size());
    for (uint64_t i = hits_list_.top; i < hits_.size() && rows.size() < page; ++i) {
      const Hit& hit = hits_[i];
      rows.push_back(Padded(archive_.packets()[hit.packet].name, name_width) + " " + SnippetLine(hit.row, 5));
    }
    return rows;
  }
  if (!packet_) return rows;
  try {
    const uint64_t before = archive_.packets()[*packet_].snippets;
    std::vector<SnippetRow> snippets = archive_.Snippets(*packet_, snippets_.top + 1, page);
    if (archive_.packets()[*packet_].snippets != before) {
      status_ = archive_.packets()[*packet_].name + " has changed; its list is read again";
      MoveTo(Pane::kSnippets, snippets_.selected);
      snippets = archive_.Snippets(*packet_, snippets_.top + 1, page);
    }
    const size_t width = oldvek::DecimalText(archive_.packets()[*packet_].snippets).size();
    for (const SnippetRow& row : snippets) rows.push_back(SnippetLine(row, width));
  } catch (const std::exception& error) {
    Fail(error);
  }
  return rows;
}

std::string Browser::TextTitle() const {
  if (!opened_) return "Code (Enter opens a snippet)";
  return archive_.packets()[opened_->first].name + " " + oldvek::DecimalText(opened_->second) +
         (text_.attachment ? " (attachment)" : "");
}

std::vector<TextRow> Browser::TextRows() const {
  const auto first = std::min<uint64_t>(text_top_, rows_.size());
  const auto last = std::min<uint64_t>(first + Rows(Pane::kCode), rows_.size());
  return {rows_.begin() + static_cast<std::ptrdiff_t>(first), rows_.begin() + static_cast<std::ptrdiff_t>(last)};
}

const std::vector<std::string>& Browser::HelpLines() {
  static const std::vector<std::string> lines = {
      "vek browse: keys",
      "",
      "Up/Down, k/j      move in the pane (the code pane scrolls)",
      "PgUp/PgDn         a page up or down",
      "Home/End          first or last entry",
      "Enter, Right      open: a packet's snippets, a snippet's code",
      "Left, Backspace   back: from the code to the list, from the hits to the packet",
      "Tab, Shift-Tab    the next or the previous pane",
      "/                 search the whole archive: subject, author, origin, code",
      "n, N              the next or the previous hit",
      "v                 an attachment's encoded lines, or its summary",
      "x                 extract the snippet shown (its attachment set, or its text)",
      "y                 copy the code shown to the clipboard (OSC 52)",
      "?                 this help; any key closes it",
      "q, Esc            quit",
      "",
      "Marks: N unread, @ attachment. Mouse: a click selects, a second click opens,",
      "the wheel scrolls.",
  };
  return lines;
}

}  // namespace vek
