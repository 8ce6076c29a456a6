#ifndef VEKHELP_SEE_ALSO_H_
#define VEKHELP_SEE_ALSO_H_

#include <string>
#include <string_view>
#include <vector>

namespace vekhelp {

// Inside a topic, a line that holds "]" is a see-also line rather than body text.
inline bool IsSeeAlsoLine(std::string_view line) { return line.find(']') != std::string_view::npos; }

// The entries of a see-also line written as "[A][B][C]": one entry per "]", each the text
// before its "]" less its first character (the "["). Text after the last "]" is dropped.
// Names must stand right next to each other: in "[A] [B]" the second entry is "[B".
std::vector<std::string> ParseSeeAlsoLine(std::string_view line);

}  // namespace vekhelp

#endif  // VEKHELP_SEE_ALSO_H_
