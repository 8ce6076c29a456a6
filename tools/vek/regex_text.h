#ifndef OLDVEK_TOOLS_VEK_REGEX_TEXT_H_
#define OLDVEK_TOOLS_VEK_REGEX_TEXT_H_

#include <memory>
#include <string>

#include "packets/text_match.h"
#include "text_encoding.h"

namespace vek {

// A regular expression in RE2's syntax, in any letter case unless it says "(?-i)", found
// anywhere in the text. Pattern and text are archive bytes, matched as the characters they
// stand for in `encoding` (which must outlive the test), so letters fold as they do for a
// plain search. A header field is matched without its trailing blanks (so "$" ends what the
// field holds), a code line as it is. A pattern that does not compile is a usage error; so is
// any pattern where vek was built without RE2 (the Windows builds: Debian has no RE2 for MinGW).
std::unique_ptr<oldvek::TextTest> RegexText(const std::string& pattern, bool header_field,
                                            const TextEncoding& encoding);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_REGEX_TEXT_H_
