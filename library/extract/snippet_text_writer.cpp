#include "extract/snippet_text_writer.h"

#include <string>

namespace oldvek {
namespace {

void WriteFieldLine(BufferedWriter& out, std::string_view first_label, std::string_view first,
                    std::string_view second_label, std::string_view second) {
  std::string line;
  line.reserve(1 + first_label.size() + first.size() + second_label.size() + second.size());
  line.append(1, '\'').append(first_label).append(first).append(second_label).append(second);
  WriteLine(out, line);
}

}  // namespace

void WriteCommentBlock(BufferedWriter& out, const SnippetHeader& header, std::string_view packet_file) {
  const std::string rule = "'" + std::string(79, '=');
  WriteLine(out, rule);
  WriteFieldLine(out, "Author: ", header.Field(SnippetHeader::kAuthor), "Date: ", header.Field(SnippetHeader::kDate));
  WriteFieldLine(out, "SubJect: ", header.Field(SnippetHeader::kSubject), "Code: ", header.Field(SnippetHeader::kCode));
  WriteFieldLine(out, "Origin: ", header.Field(SnippetHeader::kOrigin), "Packet: ", packet_file);
  WriteLine(out, rule);
}

}  // namespace oldvek
