#ifndef OLDVEK_TESTS_SUPPORT_PACKET_NAMES_H_
#define OLDVEK_TESTS_SUPPORT_PACKET_NAMES_H_

#include <cstdlib>
#include <string_view>

#include "packets/packet_name.h"

namespace oldvek {

// A name a test knows to be a packet name; anything else ends the test program.
inline PacketName TestPacket(std::string_view text) {
  Result<PacketName> name = PacketName::Make(text);
  if (!name.ok()) std::abort();
  return std::move(*name);
}

// The same, written as "SORTS"_packet.
inline PacketName operator""_packet(const char* text, size_t size) { return TestPacket(std::string_view(text, size)); }

}  // namespace oldvek

#endif  // OLDVEK_TESTS_SUPPORT_PACKET_NAMES_H_
