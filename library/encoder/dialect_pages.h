#ifndef OLDVEK_ENCODER_DIALECT_PAGES_H_
#define OLDVEK_ENCODER_DIALECT_PAGES_H_

// The per-dialect framing of a page: what goes before its data lines (BeginPage) and what
// follows the call list (EndPage). Every line ends with CR LF.

#include <cstdint>
#include <string>
#include <string_view>

#include "encoder/dialect_blocks.h"
#include "encoder/target_dialect.h"
#include "platform/buffered_writer.h"

namespace oldvek {

struct PageMarks {
  uint64_t page = 1;  // from 1
  uint64_t page_count = 1;
  uint64_t byte_count = 0;  // the page's bytes; the whole file's for one-page dialects
  std::string_view input_name;
};

void WriteLines(BufferedWriter& out, TextBlock lines);

// The line that opens the rebuilt file: FOR OUTPUT on a first page, FOR APPEND on later
// QBasic/QB/PDS pages; Visual BASIC names the file in the current folder (".\").
std::string OutputOpenLine(TargetDialect dialect, std::string_view input_name, uint64_t page);

// The begin line and the head block (PBCC/PBWIN: with the output-open line in it).
void BeginPage(TargetDialect dialect, BufferedWriter& out, const PageMarks& marks);

// From the blank line before CLOSE through the end line. `next_page_name` is the file the
// page chains to; only QBasic/QB/PDS pages before the last use it.
void EndPage(TargetDialect dialect, BufferedWriter& out, const PageMarks& marks, uint8_t checksum,
             std::string_view next_page_name);

}  // namespace oldvek

#endif  // OLDVEK_ENCODER_DIALECT_PAGES_H_
