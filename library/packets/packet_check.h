#ifndef OLDVEK_PACKETS_PACKET_CHECK_H_
#define OLDVEK_PACKETS_PACKET_CHECK_H_

// An integrity report on one packet, read without writing anything: record Starts that do
// not ascend or lie past the end of the packet file, a trailing partial index record, bodies
// whose last line lacks its terminator, bytes no record reaches, Subject and Author copies
// in the index that differ from the header, a pending commit mark, and ZORVIT pages whose
// length, checksum or CRC line does not match what they decode to.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

struct PacketProblem {
  uint64_t record = 0;  // the snippet it concerns, from 1; 0 for the packet as a whole
  std::string text;
};

struct PacketReport {
  uint64_t snippet_count = 0;
  uint64_t page_count = 0;  // ZORVIT pages decoded
  std::vector<PacketProblem> problems;
  bool interrupted = false;  // a commit mark is pending (one of the problems)
};

// Fails only when the packet's files cannot be read, or an edit holds the packet longer than a
// reader waits; what is wrong inside them is reported.
Result<PacketReport> CheckPacket(FileSystem& file_system, std::string_view folder, const PacketName& base);

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_PACKET_CHECK_H_
