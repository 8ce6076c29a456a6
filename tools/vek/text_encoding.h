#ifndef OLDVEK_TOOLS_VEK_TEXT_ENCODING_H_
#define OLDVEK_TOOLS_VEK_TEXT_ENCODING_H_

// The archive's text is 8-bit: Windows-1252 unless --encoding (or VEK_ENCODING) names another
// encoding of one byte per character that keeps ASCII (cp437, cp850, latin1, ...). What a
// person types is converted from the locale's encoding into the archive's, what is shown goes
// back the other way, and JSON is UTF-8. The system's converters (iconv, code pages) say which
// character each byte is; after that every conversion is a table lookup.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vek {

class TextEncoding {
 public:
  // The encoding `name` as iconv or Windows knows it; a usage error when there is none or it
  // is not 8-bit.
  static TextEncoding Named(const std::string& name);

  const std::string& name() const { return name_; }

  // Stored bytes as UTF-8, one character each. A byte the encoding leaves unassigned stands
  // for the C1 control character of its value, so nothing is ever lost.
  std::string ToUtf8(std::string_view stored) const;
  // UTF-8 as stored bytes; a usage error names the first character the encoding cannot hold
  // (`what` says where it came from: "--author", "the search text").
  std::string FromUtf8(std::string_view utf8, std::string_view what) const;

  // The same from and to the locale's encoding: what a person types and reads. Text that is
  // not valid in the locale's encoding is a usage error.
  std::string FromTyped(std::string_view typed, std::string_view what) const;
  std::string ToShown(std::string_view stored) const;

  // Each byte's lower case letter in this encoding (the byte itself for anything else): an
  // upper case letter folds when its lower case letter is also a character of the encoding.
  const std::array<unsigned char, 256>& lower_case() const { return lower_case_; }

 private:
  std::string name_;
  std::array<std::string, 256> utf8_;
  std::unordered_map<char32_t, unsigned char> bytes_;
  std::array<unsigned char, 256> lower_case_;
};

// The archive's encoding for this run: --encoding or VEK_ENCODING, else Windows-1252.
void UseArchiveEncoding(const std::string& name);
const TextEncoding& ArchiveEncoding();

// A file or folder name (the file system's bytes) for JSON: itself when it is valid UTF-8,
// else each byte that is not part of a UTF-8 character written as the four characters \xHH.
std::string NameForJson(std::string_view name);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_TEXT_ENCODING_H_
