#include "shown_text.h"

#include <cstdio>

#include "packets/snippet_entry.h"
#include "text_encoding.h"

namespace vek {

void PrintShown(std::string_view stored) {
  const std::string shown = ArchiveEncoding().ToShown(stored);
  std::fwrite(shown.data(), 1, shown.size(), stdout);  // a NUL in a header field is printed too
  std::fputc('\n', stdout);
}

std::string ShownEntry(uint64_t number, const oldvek::SnippetHeader& header, const std::string& base) {
  const std::string entry = oldvek::MakeSnippetEntry(number, header, base);
  // Fields 5 and 6, counted from the end, are the packet's file name and a position.
  const size_t name = entry.rfind('~', entry.rfind('~') - 1);
  return ArchiveEncoding().ToShown(std::string_view(entry).substr(0, name)) + entry.substr(name);
}

}  // namespace vek
