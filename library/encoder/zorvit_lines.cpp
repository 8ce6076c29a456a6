#include "encoder/zorvit_lines.h"

#include "base/text.h"

namespace oldvek {
namespace {

// STR$ of a non-negative number: the sign position holds a blank.
void AppendStr(std::string& line, uint64_t value) {
  line += ' ';
  line += DecimalText(value);
}

}  // namespace

std::string BeginLine(uint64_t page, uint64_t page_count, std::string_view input_name, uint64_t byte_count) {
  std::string line = "'>>> Page";
  AppendStr(line, page);
  line += " of";
  AppendStr(line, page_count);
  line += " of ";
  line += input_name;
  line += " begins here. TYPE:BINAA TLEN:";
  line += DecimalText(byte_count);
  return line;
}

std::string CheckLine(uint8_t checksum, std::string_view counter, uint64_t byte_count) {
  std::string line = "IF S = ";
  line += DecimalText(checksum);
  line += " AND ";
  line += counter;
  line += " = ";
  line += DecimalText(byte_count);
  line += " THEN";
  return line;
}

std::string EndLine(uint64_t page, std::string_view input_name, bool last_page, uint8_t checksum) {
  std::string line = "'>>> Page";
  AppendStr(line, page);
  line += " of ";
  line += input_name;
  line += last_page ? " ends here. Last page. TCHK:" : " ends here.  TCHK:";
  line += DecimalText(checksum);
  return line;
}

}  // namespace oldvek
