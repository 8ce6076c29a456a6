#include "browse/basic_highlight.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "base/text.h"

namespace vek {
namespace {

// Upper case and sorted, for a binary search. Type suffixes ($, %, & ...) are part of a word
// only for the functions that carry one (LEFT$, CHR$).
constexpr std::string_view kKeywords[] = {
    "ABS",      "AND",    "APPEND",  "AS",     "ASC",    "BEEP",   "BINARY",  "BYREF",  "BYVAL",  "CALL",
    "CASE",     "CHR$",   "CINT",    "CLOSE",  "CLS",    "COLOR",  "COMMON",  "CONST",  "DATA",   "DECLARE",
    "DEF",      "DEFDBL", "DEFINT",  "DEFLNG", "DEFSNG", "DEFSTR", "DIM",     "DO",     "DOUBLE", "ELSE",
    "ELSEIF",   "END",    "EOF",     "ERASE",  "ERROR",  "EXIT",   "FIELD",   "FIX",    "FOR",    "FREEFILE",
    "FUNCTION", "GET",    "GOSUB",   "GOTO",   "IF",     "INKEY$", "INPUT",   "INSTR",  "INT",    "INTEGER",
    "IS",       "KILL",   "LBOUND",  "LCASE$", "LEFT$",  "LEN",    "LET",     "LINE",   "LOC",    "LOCATE",
    "LOF",      "LONG",   "LOOP",    "LSET",   "LTRIM$", "MID$",   "MOD",     "NAME",   "NEXT",   "NOT",
    "ON",       "OPEN",   "OPTION",  "OR",     "OUTPUT", "PRINT",  "PRIVATE", "PUBLIC", "PUT",    "RANDOM",
    "READ",     "REDIM",  "RESTORE", "RESUME", "RETURN", "RIGHT$", "RND",     "RSET",   "RTRIM$", "SEEK",
    "SELECT",   "SHARED", "SINGLE",  "SPACE$", "STATIC", "STEP",   "STOP",    "STR$",   "STRING", "STRING$",
    "SUB",      "SWAP",   "THEN",    "TO",     "TYPE",   "UBOUND", "UCASE$",  "UNTIL",  "VAL",    "WEND",
    "WHILE",    "WRITE",  "XOR"};
static_assert(std::is_sorted(std::begin(kKeywords), std::end(kKeywords)));

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordPart(char c) { return IsWordStart(c) || IsDigit(c) || c == '.'; }
bool IsSuffix(char c) { return c == '$' || c == '%' || c == '&' || c == '!' || c == '#'; }

bool IsKeyword(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) c = oldvek::AsciiUpper(c);
  return std::binary_search(std::begin(kKeywords), std::end(kKeywords), upper);
}

}  // namespace

std::vector<TokenRun> HighlightBasic(std::string_view line) {
  std::vector<TokenRun> runs;
  size_t i = line.find_first_not_of(' ');
  if (i == std::string_view::npos) return runs;
  if (IsDigit(line[i])) {
    const size_t end = std::min(line.find_first_not_of("0123456789", i), line.size());
    runs.push_back({i, end - i, Token::kLineNumber});
    i = end;
  }
  while (i < line.size()) {
    const char c = line[i];
    if (c == '\'') {
      runs.push_back({i, line.size() - i, Token::kComment});
      break;
    }
    if (c == '"') {
      const size_t close = line.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? line.size() : close + 1;
      runs.push_back({i, end - i, Token::kString});
      i = end;
    } else if (IsWordStart(c)) {
      size_t end = i;
      while (end < line.size() && IsWordPart(line[end])) ++end;
      std::string_view word = line.substr(i, end - i);
      if (end < line.size() && IsSuffix(line[end]) && IsKeyword(line.substr(i, end + 1 - i))) {
        word = line.substr(i, ++end - i);
      }
      if (oldvek::EqualsIgnoringAsciiCase(word, "REM")) {
        runs.push_back({i, line.size() - i, Token::kComment});
        break;
      }
      if (IsKeyword(word)) runs.push_back({i, word.size(), Token::kKeyword});
      while (end < line.size() && IsSuffix(line[end])) ++end;  // A$, Count%: part of the name
      i = end;
    } else if (IsDigit(c) || (c == '.' && i + 1 < line.size() && IsDigit(line[i + 1])) ||
               (c == '&' && i + 1 < line.size() && (line[i + 1] == 'H' || line[i + 1] == 'h'))) {
      size_t end = i + (c == '&' ? 2 : 1);
      const bool hex = c == '&';
      while (end < line.size() &&
             (IsDigit(line[end]) || line[end] == '.' ||
              (hex && std::string_view("ABCDEFabcdef").find(line[end]) != std::string_view::npos))) {
        ++end;
      }
      while (end < line.size() && IsSuffix(line[end])) ++end;
      runs.push_back({i, end - i, Token::kNumber});
      i = end;
    } else {
      ++i;
    }
  }
  return runs;
}

}  // namespace vek
