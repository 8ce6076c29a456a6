#ifndef VEKHELP_HELP_LISTS_H_
#define VEKHELP_HELP_LISTS_H_

#include <string>
#include <string_view>
#include <vector>

namespace vekhelp {

// Marker lines, compared as whole lines, exactly and case-sensitively.
inline constexpr std::string_view kContentsHeader = "<CONTENTS>";
inline constexpr std::string_view kIntroductionHeader = "<INTRODUCTION>";
inline constexpr std::string_view kEndMarker = "<END>";
inline constexpr std::string_view kEndHelpMarker = "<ENDHELP>";

inline bool IsEndMarker(std::string_view line) { return line == kEndMarker || line == kEndHelpMarker; }

// A line holding "<" is a header (or a marker) wherever the viewer looks at lines.
inline bool HoldsHeaderMark(std::string_view line) { return line.find('<') != std::string_view::npos; }

// What the viewer knows of the help text, kept for the whole run.
struct HelpLists {
  // The last topic loaded: its header, then its body lines without see-also lines. After a
  // search, every line of the file.
  std::vector<std::string> topic_lines;
  // The contents section's entries, in file order; entry i stands at position i of the
  // contents list.
  std::vector<std::string> contents_entries;
  // The current topic's see-also entries, followed by the results of the last search
  // (full header lines, brackets included).
  std::vector<std::string> see_also_entries;
};

}  // namespace vekhelp

#endif  // VEKHELP_HELP_LISTS_H_
