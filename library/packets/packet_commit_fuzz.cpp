// Commit marks as a damaged disk may leave them, then settled over a small packet.
#include <cstdlib>
#include <string_view>

#include "memory_file_system.h"
#include "packets/packet_commit.h"

using namespace oldvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<Commit> commit = DecodeCommit(bytes);
  if (commit && DecodeCommit(EncodeCommit(*commit)) != commit) abort();

  fuzzing::MemoryFileSystem file_system;
  file_system.files = {{"P.IDX", std::string(156, 'I')},
                       {"P.VEK", std::string(400, 'V')},
                       {"P.$VE", std::string(300, 'v')},
                       {"P.$OK", std::string(bytes)}};
  (void)SettlePacket(file_system, "", *PacketName::Make("P"));
  return 0;
}
