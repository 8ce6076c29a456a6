#include "shown_text.h"

#include <cstdio>

#include "packets/snippet_entry.h"
#include "text_encoding.h"

namespace vek {

namespace {

void PrintLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);  // a NUL in a header field is printed too
  std::fputc('\n', stdout);
}

}  // namespace

void PrintShown(std::string_view stored) { PrintLine(ArchiveEncoding().ToShown(stored)); }

void PrintEntry(std::string_view indent, uint64_t number, const oldvek::SnippetHeader& header, const std::string& base) {
  const std::string entry = oldvek::MakeSnippetEntry(number, header, base);
  // Fields 5 and 6, counted from the end, are the packet's file name and a position.
  const size_t name = entry.rfind('~', entry.rfind('~') - 1);
  PrintLine(std::string(indent) + ArchiveEncoding().ToShown(std::string_view(entry).substr(0, name)) + entry.substr(name));
}

}  // namespace vek
