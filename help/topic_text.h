#ifndef VEKHELP_TOPIC_TEXT_H_
#define VEKHELP_TOPIC_TEXT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vekhelp {

// A header line as the text box shows it: 30 blanks, then the text between its first "<"
// and the next ">" (the rest of the line when no ">" follows). When that is empty, the text
// between the first "<" and the last ">" stands in.
std::string HeaderCaption(std::string_view line);

// The text box's string: every topic line followed by CR LF, lines holding "<" (headers)
// shown as captions.
std::string TopicText(const std::vector<std::string>& topic_lines);

// The contents entry the text box selects for a topic: each header line moves the selection
// to the first entry that occurs anywhere in it, so for "<EDITING>" an entry EDIT listed
// before EDITING wins. Index from 0; nothing when no header line names an entry.
std::optional<size_t> ContentsSelection(const std::vector<std::string>& topic_lines,
                                        const std::vector<std::string>& contents_entries);

}  // namespace vekhelp

#endif  // VEKHELP_TOPIC_TEXT_H_
