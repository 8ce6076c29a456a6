#ifndef OLDVEK_TESTS_SUPPORT_PACKET_WRITER_H_
#define OLDVEK_TESTS_SUPPORT_PACKET_WRITER_H_

// Builds packet bytes for tests, independently of the library: what a packet looks like is
// written out here field by field, so the library's readers are checked against it.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace oldvek::testing {

struct TestSnippet {
  std::string author;
  std::string subject;
  std::string origin;
  std::string date;
  std::string code;
  std::string extra;
  std::string tag;
  std::vector<std::string> lines;  // each written followed by 0xE3
  char flag = '*';
  std::string unused_index_bytes = "     ";  // the 5 bytes after Start
  std::string body_suffix = "";              // raw bytes after the last terminator
};

// A snippet with every header field filled, so that a field read from the wrong place shows.
TestSnippet SampleSnippet(std::string subject, std::vector<std::string> lines = {"PRINT 1"},
                          std::string author = "Ann Author");

// A 165-byte header.
std::string HeaderBytes(const TestSnippet& snippet);
// Its first 139 bytes, Author to Code, as a SnippetRecord also holds them from its second byte.
std::string HeaderFieldBytes(const TestSnippet& snippet);
// A caller's packed record (SnippetRecord, SearchState) as bytes, to compare every byte at once.
template <typename Record>
std::string RecordBytes(const Record& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}
// A 78-byte index record for a snippet starting at `start`.
std::string IndexRecordBytes(const TestSnippet& snippet, unsigned long long start);

struct PacketBytes {
  std::string packet;  // BASE.VEK
  std::string index;   // BASE.IDX
  bool operator==(const PacketBytes&) const = default;
  friend void PrintTo(const PacketBytes& bytes, std::ostream* out) {
    *out << "packet \"" << bytes.packet << "\", index \"" << bytes.index << '"';
  }
};

// Snippets back to back from position 1, with matching index records.
PacketBytes BuildPacket(const std::vector<TestSnippet>& snippets);

// Writes folder + base + ".VEK" and ".IDX".
void WritePacket(const std::string& folder, std::string_view base, const PacketBytes& bytes);

// The listing's entry for record `number` of `file`, a packet of SampleSnippet()s by Ann Author.
std::string ListEntry(int number, std::string_view subject, std::string_view file);

// Text padded with blanks or cut to `width`.
std::string Fixed(std::string_view text, size_t width);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_PACKET_WRITER_H_
