#include "encoder/zorvit_lines.h"

#include "base/text.h"

namespace oldvek {
namespace {

// STR$ of a non-negative number: the sign position holds a blank.
std::string Str(uint64_t value) { return " " + DecimalText(value); }

}  // namespace

std::string BeginLine(uint64_t page, uint64_t page_count, std::string_view input_name, uint64_t byte_count) {
  std::string line = "'>>> Page" + Str(page) + " of" + Str(page_count) + " of ";
  line.append(input_name);
  line += " begins here. TYPE:BINAA TLEN:" + DecimalText(byte_count);
  return line;
}

std::string CheckLine(uint8_t checksum, std::string_view counter, uint64_t byte_count) {
  std::string line = "IF S = " + DecimalText(checksum) + " AND ";
  line.append(counter);
  line += " = " + DecimalText(byte_count) + " THEN";
  return line;
}

std::string EndLine(uint64_t page, std::string_view input_name, bool last_page, uint8_t checksum) {
  std::string line = "'>>> Page" + Str(page) + " of ";
  line.append(input_name);
  line += " ends here. ";
  if (last_page) line += "Last page.";
  line += " TCHK:" + DecimalText(checksum);
  return line;
}

}  // namespace oldvek
