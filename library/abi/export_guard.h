#ifndef OLDVEK_EXPORT_GUARD_H_
#define OLDVEK_EXPORT_GUARD_H_

#include <string_view>

namespace oldvek {

// Every export is a function-try-block whose handler calls this: an exception (no memory for a
// line that never ends, say) becomes the export's failure path, an error box saying what
// could not be done and why, and never unwinds into the caller, which cannot take it.
// Call it only from a catch handler.
void ReportUncaught(std::string_view what) noexcept;

}  // namespace oldvek

#endif  // OLDVEK_EXPORT_GUARD_H_
