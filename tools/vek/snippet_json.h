#ifndef OLDVEK_TOOLS_VEK_SNIPPET_JSON_H_
#define OLDVEK_TOOLS_VEK_SNIPPET_JSON_H_

// What --json prints, always UTF-8. Every byte of the archive's text comes through as its
// character in the archive's encoding, so a "~" or a NUL inside a field cannot cut or shift
// anything; file and folder names are the file system's bytes (text_encoding.h).

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "packets/formats.h"
#include "packets/packet_name.h"

namespace vek {

nlohmann::json Text(std::string_view bytes);
nlohmann::json Name(std::string_view name);

// A snippet's record number, read mark, header fields (blanks at their ends removed) and
// where it is.
nlohmann::json SnippetJson(std::string_view base, uint64_t number, const oldvek::IndexRecord& record,
                           const oldvek::SnippetHeader& header);

struct StoredSnippet {
  oldvek::IndexRecord record;
  oldvek::SnippetHeader header;
  bool attachment = false;  // when asked for
};

// The records of an existing packet and the headers they point to, read without writing.
std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const oldvek::PacketName& base);

// A run of them, read the same way: from number `first` (from 1) on, at most `count`, each
// also told whether it carries an attachment when `kinds` (which reads its body), and the
// packet's snippet count as it was read.
struct SnippetWindow {
  uint64_t count = 0;
  std::vector<StoredSnippet> snippets;
};
SnippetWindow ReadSnippetWindow(const std::string& folder, const oldvek::PacketName& base, uint64_t first,
                                uint64_t count, bool kinds);

void PrintJson(const nlohmann::json& document);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_SNIPPET_JSON_H_
