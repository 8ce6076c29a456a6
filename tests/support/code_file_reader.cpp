#include "code_file_reader.h"

#include <gtest/gtest.h>

namespace oldvek::testing {
namespace {

int32_t NumberAt(std::string_view bytes, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return static_cast<int32_t>(value);
}

// Takes bytes from the front of the file; running out fails the test and ends the reading.
struct Cursor {
  bool Take(size_t size, std::string& out, const char* what) {
    if (rest.size() < size) {
      ADD_FAILURE() << "the code file ends inside " << what << ": " << rest.size() << " of " << size << " bytes";
      rest = {};
      return false;
    }
    out.assign(rest.substr(0, size));
    rest.remove_prefix(size);
    return true;
  }
  // A length byte, then that many bytes.
  bool TakeCounted(std::string& out, const char* what) {
    std::string length;
    return Take(1, length, what) && Take(static_cast<unsigned char>(length[0]), out, what);
  }
  bool TakeNumber(int32_t& out, const char* what) {
    std::string bytes;
    if (!Take(4, bytes, what)) return false;
    out = NumberAt(bytes, 0);
    return true;
  }

  std::string_view rest;
};

bool ReadSnippet(Cursor& cursor, StoredSnippet& snippet) {
  if (!cursor.Take(184, snippet.record, "a snippet record")) return false;
  EXPECT_EQ(snippet.record[0], '\0') << "byte 0 of a record";
  EXPECT_EQ(snippet.record.substr(181), std::string(3, '\0')) << "the last three bytes of a record";
  const int32_t count = snippet.line_count();
  EXPECT_GE(count, 0);
  int64_t block = 0;
  for (int32_t i = 0; i < count; ++i) {
    if (!cursor.TakeCounted(snippet.lines.emplace_back(), "a line")) return false;
    block += 1 + static_cast<int64_t>(snippet.lines.back().size());
  }
  EXPECT_EQ(snippet.block_size(), block) << "the line block size disagrees with the lines";
  return true;
}

}  // namespace

int32_t StoredSnippet::block_size() const { return NumberAt(record, 172); }
int32_t StoredSnippet::line_count() const { return NumberAt(record, 176); }

StoredCodeFile ReadCodeFile(std::string_view bytes, size_t lead_length) {
  StoredCodeFile file;
  Cursor cursor{bytes};
  if (!cursor.Take(lead_length, file.lead, "the lead text") ||
      !cursor.TakeNumber(file.header_number, "the header number")) {
    return file;
  }
  while (!cursor.rest.empty()) {
    StoredPacket& packet = file.packets.emplace_back();
    if (!cursor.TakeCounted(packet.name, "a packet name") ||
        !cursor.TakeNumber(packet.snippet_count, "a snippet count")) {
      return file;
    }
    EXPECT_GE(packet.snippet_count, 0);
    for (int32_t k = 0; k < packet.snippet_count; ++k) {
      if (!ReadSnippet(cursor, packet.snippets.emplace_back())) return file;
    }
  }
  return file;
}

}  // namespace oldvek::testing
