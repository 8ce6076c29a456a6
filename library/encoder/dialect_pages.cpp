#include "encoder/dialect_pages.h"

#include "encoder/zorvit_lines.h"

namespace oldvek {
namespace {

bool IsLastPage(const PageMarks& marks) { return marks.page >= marks.page_count; }

}  // namespace

void WriteLines(BufferedWriter& out, TextBlock lines) {
  for (std::string_view line : lines) WriteLine(out, line);
}

std::string OutputOpenLine(TargetDialect dialect, std::string_view input_name, uint64_t page) {
  std::string line = dialect == TargetDialect::kVisualBasic ? "OPEN \".\\" : "OPEN \"";
  line.append(input_name);
  line += page == 1 ? "\" FOR OUTPUT AS #OutHndl" : "\" FOR APPEND AS #OutHndl";
  return line;
}

void BeginPage(TargetDialect dialect, BufferedWriter& out, const PageMarks& marks) {
  WriteLine(out, BeginLine(marks.page, marks.page_count, marks.input_name, marks.byte_count));
  switch (dialect) {
    case TargetDialect::kPowerBasic:
      WriteLines(out, BlockLines(kPowerBasicHead, 1, 26));
      WriteLine(out, OutputOpenLine(dialect, marks.input_name, marks.page));
      WriteLines(out, BlockLines(kPowerBasicHead, 27, 33));
      break;
    case TargetDialect::kVisualBasic: WriteLines(out, kVisualBasicHead); break;
    case TargetDialect::kQuickBasic: WriteLines(out, kQuickBasicHead); break;
  }
}

void EndPage(TargetDialect dialect, BufferedWriter& out, const PageMarks& marks, uint8_t checksum,
             std::string_view next_page_name) {
  WriteLine(out, " ");
  WriteLine(out, "CLOSE");
  WriteLine(out, " ");
  switch (dialect) {
    case TargetDialect::kPowerBasic:
      WriteLine(out, CheckLine(checksum, "B", marks.byte_count));
      WriteLines(out, kPowerBasicTail);
      break;
    case TargetDialect::kVisualBasic:
      WriteLine(out, CheckLine(checksum, "B&", marks.byte_count));
      WriteLine(out, "  MSGBOX(\"):OK!\")");
      WriteLine(out, "ELSE");
      WriteLine(out, "  MSGBOX(\"(:BAD!\")");
      WriteLine(out, "END IF");
      WriteLine(out, " ");
      WriteLines(out, kVisualBasicTail);
      break;
    case TargetDialect::kQuickBasic:
      WriteLine(out, CheckLine(checksum, "B", marks.byte_count));
      WriteLines(out, BlockLines(kQuickBasicTail, 1, 6));
      if (!IsLastPage(marks)) {
        WriteLine(out, "CHAIN \"" + std::string(next_page_name) + "\"");
        WriteLine(out, " ");
      }
      WriteLines(out, BlockLines(kQuickBasicTail, 7, 23));
      break;
  }
  WriteLine(out, EndLine(marks.page, marks.input_name, IsLastPage(marks), checksum));
}

}  // namespace oldvek
