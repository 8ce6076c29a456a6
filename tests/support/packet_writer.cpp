#include "packet_writer.h"

#include "packets/packet_files.h"
#include "temp_folder.h"

namespace oldvek::testing {

std::string Fixed(std::string_view text, size_t width) {
  std::string field(text.substr(0, std::min(text.size(), width)));
  field.resize(width, ' ');
  return field;
}

TestSnippet SampleSnippet(std::string subject, std::vector<std::string> lines, std::string author) {
  return {.author = std::move(author),
          .subject = std::move(subject),
          .origin = "Fidonet",
          .date = "1994-11-05",
          .code = "QB45",
          .extra = "E5",
          .tag = "SORTING  ",
          .lines = std::move(lines),
          .unused_index_bytes = "abcde"};
}

std::string HeaderFieldBytes(const TestSnippet& s) {
  return Fixed(s.author, 31) + Fixed(s.subject, 31) + Fixed(s.origin, 31) + Fixed(s.date, 23) + Fixed(s.code, 23);
}

std::string HeaderBytes(const TestSnippet& s) {
  return HeaderFieldBytes(s) + Fixed(s.extra, 5) + std::string(9, ' ') + Fixed(s.tag, 12);
}

std::string IndexRecordBytes(const TestSnippet& s, unsigned long long start) {
  return std::string(1, s.flag) + Fixed(std::to_string(start), 10) + Fixed(s.unused_index_bytes, 5) +
         Fixed(s.subject, 31) + Fixed(s.author, 31);
}

PacketBytes BuildPacket(const std::vector<TestSnippet>& snippets) {
  PacketBytes bytes;
  for (const TestSnippet& s : snippets) {
    bytes.index += IndexRecordBytes(s, bytes.packet.size() + 1);
    bytes.packet += HeaderBytes(s);
    for (const std::string& line : s.lines) {
      bytes.packet += line;
      bytes.packet += '\xE3';
    }
    bytes.packet += s.body_suffix;
  }
  return bytes;
}

std::string ListEntry(int number, std::string_view subject, std::string_view file) {
  return "0000" + std::to_string(number) + "~" + std::string(subject) + "~Ann Author~QB45~" + std::string(file) + "~" +
         std::to_string((number - 1) * 78 + 1);
}

void WritePacket(const std::string& folder, std::string_view base, const PacketBytes& bytes) {
  WriteFileBytes(PacketFileName(folder, base, PacketFileKind::kPacket), bytes.packet);
  WriteFileBytes(PacketFileName(folder, base, PacketFileKind::kIndex), bytes.index);
}

}  // namespace oldvek::testing
