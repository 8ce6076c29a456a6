#include "packets/snippet_entry.h"

#include "base/text.h"
#include "packets/packet_files.h"

namespace oldvek {

std::string RecordNumberText(uint64_t record_number) {
  std::string number = DecimalText(record_number);
  if (number.size() < 5) number.insert(0, 5 - number.size(), '0');
  return number;
}

std::string MakeSnippetEntry(uint64_t record_number, const SnippetHeader& header, std::string_view base) {
  const std::string number = RecordNumberText(record_number);
  std::string entry;
  entry.reserve(number.size() + 2 * 31 + 23 + base.size() + 32);
  entry += number;
  entry += '~';
  entry += TrimTrailingBlanks(header.Field(SnippetHeader::kSubject));
  entry += '~';
  entry += TrimTrailingBlanks(header.Field(SnippetHeader::kAuthor));
  entry += '~';
  entry += TrimTrailingBlanks(header.Field(SnippetHeader::kCode));
  entry += '~';
  entry += PacketFileName("", base, PacketFileKind::kPacket);
  entry += '~';
  entry += DecimalText(RecordPosition(record_number));
  return entry;
}

std::string_view PacketBaseName(std::string_view packet_entry) {
  return TrimTrailingBlanks(packet_entry.substr(0, packet_entry.find('~')));
}

Result<PacketName> PacketOfEntry(std::string_view packet_entry) {
  return PacketName::Make(PacketBaseName(packet_entry));
}

Result<EntryLocation> ParseEntryLocation(std::string_view entry) {
  const size_t last = entry.rfind('~');
  const size_t before_last =
      last == std::string_view::npos || last == 0 ? std::string_view::npos : entry.rfind('~', last - 1);
  size_t tildes = 0;
  for (char c : entry) tildes += c == '~' ? 1 : 0;
  if (before_last == std::string_view::npos || tildes < 5) {
    return Status::Error("the snippet entry \"" + std::string(entry) + "\" does not name a packet and record");
  }
  const std::string_view packet_file = entry.substr(before_last + 1, last - before_last - 1);
  std::string_view name = packet_file;
  // Written by this library with the extension in upper case; anything else is cut at its first ".".
  const std::string_view extension = PacketFileExtension(PacketFileKind::kPacket);
  if (name.ends_with(extension)) {
    name.remove_suffix(extension.size());
  } else {
    name = name.substr(0, name.find('.'));
  }
  OLDVEK_ASSIGN_OR_RETURN(PacketName base, PacketName::Make(name));
  return EntryLocation{std::string(packet_file), std::move(base), ReadDecimal(entry.substr(last + 1))};
}

std::string RelocatedEntry(std::string_view entry, uint64_t record_number, std::string_view packet_file) {
  constexpr size_t npos = std::string_view::npos;
  const size_t last = entry.rfind('~');
  const size_t field5 = last == npos || last == 0 ? npos : entry.rfind('~', last - 1);
  const size_t first = entry.find('~');
  std::string_view middle;
  if (field5 != npos && first < field5) middle = entry.substr(first + 1, field5 - first - 1);
  std::string relocated = RecordNumberText(record_number);
  relocated += '~';
  relocated += middle;
  relocated += '~';
  relocated += packet_file;
  relocated += '~';
  relocated += DecimalText(RecordPosition(record_number));
  return relocated;
}

}  // namespace oldvek
