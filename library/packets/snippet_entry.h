#ifndef OLDVEK_PACKETS_SNIPPET_ENTRY_H_
#define OLDVEK_PACKETS_SNIPPET_ENTRY_H_

// The text lines that describe packets and snippets to the caller.
//
// A snippet entry is six fields joined by "~": record number (five digits with leading
// zeros, more digits written in full), Subject, Author, Code, packet file name (BASE.VEK)
// and the position of the snippet's index record. Entries are read back field 1 from the
// start and fields 5 and 6 from the end, so a "~" inside a header text cannot shift them.
//
// A packet entry is the caller's name for a packet: its text before the first "~", with
// trailing blanks removed, is the packet's base name.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"
#include "packets/formats.h"
#include "packets/packet_name.h"

namespace oldvek {

std::string MakeSnippetEntry(uint64_t record_number, const SnippetHeader& header, std::string_view base);

// Field 1 of an entry: five digits with leading zeros, or all the digits when there are more.
std::string RecordNumberText(uint64_t record_number);

// The base name a packet entry names.
std::string_view PacketBaseName(std::string_view packet_entry);
// The packet a packet entry names, when its base name is one.
Result<PacketName> PacketOfEntry(std::string_view packet_entry);

// Where an entry points: its packet and its index record.
struct EntryLocation {
  std::string packet_file;       // field 5, as written
  PacketName base;               // field 5 without ".VEK" (or cut at its first "." without it)
  uint64_t record_position = 0;  // field 6
};

// Reads fields 5 and 6 counted from the end. Fails when the entry has fewer than six fields
// or when field 5 names no packet of the folder (PacketName).
Result<EntryLocation> ParseEntryLocation(std::string_view entry);

// The entry of a snippet that now stands elsewhere: field 1 becomes `record_number`, field 5
// `packet_file` and field 6 the record's position; the text between field 1 and field 5
// (Subject, Author and Code) stays as it is. The entry must have six fields or more.
std::string RelocatedEntry(std::string_view entry, uint64_t record_number, std::string_view packet_file);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_SNIPPET_ENTRY_H_
