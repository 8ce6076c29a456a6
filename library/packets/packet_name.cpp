#include "packets/packet_name.h"

#include <algorithm>

namespace oldvek {

Result<PacketName> PacketName::Make(std::string_view text) {
  const bool control = std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  if (text.empty() || control || text.find_first_of("\\/:~") != std::string_view::npos ||
      text.find("..") != std::string_view::npos) {
    return Status::Error("the packet name \"" + std::string(text) + "\" is not a file in the archive folder");
  }
  return PacketName(std::string(text));
}

}  // namespace oldvek
