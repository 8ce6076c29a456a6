#ifndef OLDVEK_TESTS_SUPPORT_CODE_FILE_READER_H_
#define OLDVEK_TESTS_SUPPORT_CODE_FILE_READER_H_

// Reads a code file back as the reader program would, independently of the library. Every
// length and count the file states is checked against the bytes that follow it; a file that
// does not add up fails the calling test.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace oldvek::testing {

struct StoredSnippet {
  std::string record;              // the 184 bytes as stored
  std::vector<std::string> lines;  // the stored lines, without their length bytes

  std::string Text(size_t offset, size_t width) const { return record.substr(offset, width); }
  std::string subject() const { return Text(32, 31); }
  std::string tag() const { return Text(140, 32); }
  int32_t block_size() const;
  int32_t line_count() const;
  int kind() const { return static_cast<unsigned char>(record[180]); }
};

struct StoredPacket {
  std::string name;
  int32_t snippet_count = 0;
  std::vector<StoredSnippet> snippets;
};

struct StoredCodeFile {
  std::string lead;
  int32_t header_number = 0;
  std::vector<StoredPacket> packets;
};

// The file states no length for its lead text; the caller knows it.
StoredCodeFile ReadCodeFile(std::string_view bytes, size_t lead_length);

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_CODE_FILE_READER_H_
