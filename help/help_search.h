#ifndef VEKHELP_HELP_SEARCH_H_
#define VEKHELP_HELP_SEARCH_H_

#include <cstddef>
#include <string_view>

#include "help_file.h"
#include "help_lists.h"

namespace vekhelp {

// Searches the topics of the help file (everything from the first "<END>" on, so the
// contents section is never searched) for `upper_text`, compared with each line upper-cased
// (ASCII letters). The results of an earlier search, and empty entries, are first dropped
// from the see-also entries; the current topic's own entries stay. Then the header line of
// every topic that holds the text is appended, once per topic, in file order. The lines
// "<END>" and "<ENDHELP>" are never compared. An empty text matches every line. Returns the
// number of topics appended; the topic lines hold the whole file afterwards.
size_t SearchHelp(const HelpFile& file, std::string_view upper_text, HelpLists& lists);

}  // namespace vekhelp

#endif  // VEKHELP_HELP_SEARCH_H_
