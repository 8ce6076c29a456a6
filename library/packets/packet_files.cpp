#include "packets/packet_files.h"

#include "base/text.h"

namespace oldvek {
namespace {

constexpr PacketFileKind kKinds[] = {
    PacketFileKind::kPacket,        PacketFileKind::kIndex,        PacketFileKind::kLock,    PacketFileKind::kMark,
    PacketFileKind::kRebuiltPacket, PacketFileKind::kRebuiltIndex, PacketFileKind::kSetAside};

}  // namespace

std::string_view PacketFileExtension(PacketFileKind kind) {
  switch (kind) {
    case PacketFileKind::kPacket: return ".VEK";
    case PacketFileKind::kIndex: return ".IDX";
    case PacketFileKind::kLock: return ".$LK";
    case PacketFileKind::kMark: return ".$OK";
    case PacketFileKind::kRebuiltPacket: return ".$VE";
    case PacketFileKind::kRebuiltIndex: return ".$ID";
    case PacketFileKind::kSetAside: return ".$BAD";
  }
  return {};
}

std::string PacketFileName(std::string_view folder, std::string_view base, PacketFileKind kind) {
  const std::string_view extension = PacketFileExtension(kind);
  std::string path;
  path.reserve(folder.size() + base.size() + extension.size());
  path.append(folder).append(base).append(extension);
  return path;
}

std::optional<ParsedPacketFile> ParsePacketFileName(std::string_view name) {
  for (const PacketFileKind kind : kKinds) {
    const std::string_view extension = PacketFileExtension(kind);
    if (name.size() <= extension.size() ||
        !EqualsIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension)) {
      continue;
    }
    return ParsedPacketFile{kind, name.substr(0, name.size() - extension.size())};
  }
  return std::nullopt;
}

PacketFiles::PacketFiles(std::string_view folder, const PacketName& base)
    : packet(PacketFileName(folder, base, PacketFileKind::kPacket)),
      index(PacketFileName(folder, base, PacketFileKind::kIndex)),
      lock(PacketFileName(folder, base, PacketFileKind::kLock)),
      mark(PacketFileName(folder, base, PacketFileKind::kMark)),
      rebuilt_packet(PacketFileName(folder, base, PacketFileKind::kRebuiltPacket)),
      rebuilt_index(PacketFileName(folder, base, PacketFileKind::kRebuiltIndex)),
      set_aside(PacketFileName(folder, base, PacketFileKind::kSetAside)) {}

std::vector<std::string> PacketFileNames(std::string_view folder, const PacketName& base) {
  std::vector<std::string> names;
  for (const PacketFileKind kind : kKinds) names.push_back(PacketFileName(folder, base, kind));
  return names;
}

}  // namespace oldvek
