#ifndef OLDVEK_PACKETS_PACKET_FILES_H_
#define OLDVEK_PACKETS_PACKET_FILES_H_

// How a packet's files are named: the one place that spells their extensions. A packet BASE
// is BASE.VEK (its snippets) and BASE.IDX (its index); beside them stand the lock file
// BASE.$LK, a commit mark BASE.$OK while a change runs, a rebuild's BASE.$VE and BASE.$ID, and
// BASE.$BAD, a damaged mark set aside. Names are plain concatenations of folder, base and
// extension: the caller's folder carries its own separator.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packets/packet_name.h"

namespace oldvek {

enum class PacketFileKind { kPacket, kIndex, kLock, kMark, kRebuiltPacket, kRebuiltIndex, kSetAside };

// ".VEK", ".IDX", ".$LK", ".$OK", ".$VE", ".$ID", ".$BAD".
std::string_view PacketFileExtension(PacketFileKind kind);

// folder + base + the extension of `kind`. `base` is taken as it is: a packet file's name in a
// list entry or a progress text may name a packet that no PacketName would accept.
std::string PacketFileName(std::string_view folder, std::string_view base, PacketFileKind kind);

// Which of a packet's files the file name `name` (no folder) is, and the base name before its
// extension (for PacketName to check), the extension matched in any letter case, as a folder
// listing shows it; nothing for a name that is no packet's file.
struct ParsedPacketFile {
  PacketFileKind kind;
  std::string_view base;
};
std::optional<ParsedPacketFile> ParsePacketFileName(std::string_view name);

// The names of one packet's files, folder included.
struct PacketFiles {
  PacketFiles(std::string_view folder, const PacketName& base);

  std::string packet;          // BASE.VEK
  std::string index;           // BASE.IDX
  std::string lock;            // BASE.$LK
  std::string mark;            // BASE.$OK
  std::string rebuilt_packet;  // BASE.$VE
  std::string rebuilt_index;   // BASE.$ID
  std::string set_aside;       // BASE.$BAD: a damaged mark, kept for whoever looks into it
};

// Every file of packet `base` that an operation reads, writes or locks. An output must be none
// of them.
std::vector<std::string> PacketFileNames(std::string_view folder, const PacketName& base);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_FILES_H_
