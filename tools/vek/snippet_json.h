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

namespace vek {

nlohmann::json Text(std::string_view bytes);
nlohmann::json Name(std::string_view name);

// A snippet's record number, read mark, header fields (blanks at their ends removed) and
// where it is.
nlohmann::json SnippetJson(const std::string& base, uint64_t number, const oldvek::IndexRecord& record,
                           const oldvek::SnippetHeader& header);

struct StoredSnippet {
  oldvek::IndexRecord record;
  oldvek::SnippetHeader header;
};

// The records of an existing packet and the headers they point to, read without writing.
std::vector<StoredSnippet> ReadSnippets(const std::string& folder, const std::string& base);

void PrintJson(const nlohmann::json& document);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_SNIPPET_JSON_H_
