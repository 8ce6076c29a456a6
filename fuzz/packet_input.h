#ifndef OLDVEK_FUZZ_PACKET_INPUT_H_
#define OLDVEK_FUZZ_PACKET_INPUT_H_

// A fuzz input read as a packet P in the in-memory root folder: its first byte gives the
// number of index records (modulo 16), the next records * 78 bytes are P.IDX and the rest
// is P.VEK. Returns the number of whole records the index got.

#include <cstdint>
#include <string>
#include <string_view>

#include "memory_file_system.h"
#include "packets/formats.h"

namespace oldvek::fuzzing {

inline uint64_t PutPacket(MemoryFileSystem& file_system, std::string_view input) {
  if (input.empty()) return 0;
  const size_t index_size = std::min<size_t>((static_cast<uint8_t>(input[0]) % 16) * kIndexRecordSize, input.size() - 1);
  file_system.files["P.IDX"] = std::string(input.substr(1, index_size));
  file_system.files["P.VEK"] = std::string(input.substr(1 + index_size));
  return RecordCount(index_size);
}

}  // namespace oldvek::fuzzing

#endif  // OLDVEK_FUZZ_PACKET_INPUT_H_
