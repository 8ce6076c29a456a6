#ifndef VEKHELP_TOPIC_LOADER_H_
#define VEKHELP_TOPIC_LOADER_H_

#include <string_view>

#include "help_file.h"
#include "help_lists.h"

namespace vekhelp {

// Loads the section whose header line equals `header` (brackets included): the topic lines
// become the header and its body up to "<END>" or "<ENDHELP>" (or the end of the file), and
// each see-also line replaces the see-also entries with its own. `see_also_found` is set when
// the section had a see-also line and is never cleared, so one flag passed to two loads tells
// whether either met one. Returns false, with every list as it was, when the header is not
// in the file or the file cannot be read.
bool LoadTopic(const HelpFile& file, std::string_view header, HelpLists& lists, bool& see_also_found);

// Makes every line of the file, markers included, a topic line. Returns false, with the topic
// lines as they were, when the file cannot be read.
bool LoadWholeFile(const HelpFile& file, HelpLists& lists);

}  // namespace vekhelp

#endif  // VEKHELP_TOPIC_LOADER_H_
