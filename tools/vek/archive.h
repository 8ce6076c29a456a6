#ifndef OLDVEK_TOOLS_VEK_ARCHIVE_H_
#define OLDVEK_TOOLS_VEK_ARCHIVE_H_

// How vek names what it works on: a folder that must exist, packets in it matched to their
// files in any letter case, snippets by their number in a packet, and numbers read strictly.

#include <cstdint>
#include <string>
#include <vector>

#include "packets/packet_name.h"
#include "platform/file.h"

namespace vek {

// What vek says of a snippet that the packet file cuts short.
inline constexpr const char* kCutShort = "the packet file ends before the snippet does (it was cut short)";

// The file system the library is handed: a path names the file in its folder whose name
// matches in any letter case when no file has exactly that name, so that "sorts" reaches
// SORTS.VEK and sorts.vek alike.
oldvek::FileSystem& Files();

// Puts `real` under Files() from here on, as tests do to watch what a command does.
void UseFileSystem(oldvek::FileSystem& real);

// The existing file `path` names in any letter case, or `path` itself when none does.
std::string MatchCase(const std::string& path);

// An existing folder, with its trailing separator as the library takes it.
std::string ExistingFolder(const std::string& folder);

// A packet name as typed (an extension .VEK or .IDX is dropped); a name that is no packet
// name is a usage error.
oldvek::PacketName PacketArgument(const std::string& name);

// The packet `name` of `folder`, whose two files must both exist, by the letter case of its
// index file.
oldvek::PacketName ExistingPacket(const std::string& folder, const std::string& name);

// The packets of a folder (its .IDX files in any case, whose base names are packet names), sorted.
std::vector<oldvek::PacketName> PacketsIn(const std::string& folder);

// What keeps `base` of `folder` from being a whole packet ("SORTS.VEK is missing; its index
// SORTS.IDX is there"), or nothing when both its files exist.
std::string MissingPacketFile(const std::string& folder, const oldvek::PacketName& base);

// The packets a command that reports on each goes through: those named, or every packet name
// of the folder with an index or a packet file (in any case, once each), sorted. A packet
// with a file missing is among them, for the command to report.
std::vector<oldvek::PacketName> PacketsToReport(const std::string& folder, const std::vector<std::string>& names);

// The packets a command names, each of which must exist, or every packet of the folder when
// it names none.
std::vector<oldvek::PacketName> ChosenPackets(const std::string& folder, const std::vector<std::string>& names);

// Whole snippets of a packet: its index records.
uint64_t SnippetCount(const std::string& folder, const oldvek::PacketName& base);

// RECORD of an existing packet, from 1 to its snippet count.
uint64_t SnippetNumber(const std::string& text, const std::string& folder, const oldvek::PacketName& base);

// A whole decimal number from `low` to `high`; anything else is a usage error naming the range.
uint64_t StrictNumber(const std::string& text, const std::string& what, uint64_t low, uint64_t high);

// Refuses an input that is not a regular file (a folder, a device, a pipe): it would be read
// as nothing, or without end. "-" is standard input.
void RegularInput(const std::string& path);

// Refuses an edit of a folder on a read-only medium before anything is tried, naming it.
void WritableFolder(const std::string& folder);

// The code lines of a text file (LF or CR LF ends), or of standard input for "-".
std::vector<std::string> ReadTextLines(const std::string& path);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_ARCHIVE_H_
