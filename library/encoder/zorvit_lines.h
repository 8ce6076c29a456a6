#ifndef OLDVEK_ENCODER_ZORVIT_LINES_H_
#define OLDVEK_ENCODER_ZORVIT_LINES_H_

// The three marker lines of a ZORVIT page. Page numbers are written as BASIC's STR$ writes
// them (a blank, then the digits); byte counts and checksums as bare digits.
//   begin: '>>> Page 2 of 3 of SETUP.EXE begins here. TYPE:BINAA TLEN:156000
//   check: IF S = 17 AND B = 156000 THEN
//   end:   '>>> Page 2 of SETUP.EXE ends here.  TCHK:17

#include <cstdint>
#include <string>
#include <string_view>

namespace oldvek {

std::string BeginLine(uint64_t page, uint64_t page_count, std::string_view input_name, uint64_t byte_count);

// `counter` is the generated program's byte counter: "B", or "B&" in Visual BASIC.
std::string CheckLine(uint8_t checksum, std::string_view counter, uint64_t byte_count);

// The last page says "Last page." where other pages leave the text empty.
std::string EndLine(uint64_t page, std::string_view input_name, bool last_page, uint8_t checksum);

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_ZORVIT_LINES_H_
