#ifndef OLDVEK_EDITING_HEADER_UPDATE_H_
#define OLDVEK_EDITING_HEADER_UPDATE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "base/status.h"
#include "packets/packet_name.h"
#include "platform/file.h"

namespace oldvek {

// The descriptive fields of a snippet header, in the order the reader shows them.
struct HeaderFields {
  std::string author;
  std::string subject;
  std::string origin;
  std::string date;
  std::string code;
};

// Rewrites Author, Subject, Origin, Date and Code of the header of the snippet whose index
// record starts at `record_position`, and the Subject and Author copies in that record, in
// place: each value left-aligned, cut to its field or padded with blanks, stored exactly as
// given. No other byte of either file changes. The record is written before the header,
// under a commit mark, so an interruption leaves the snippet either as it was or, after the
// next operation on the packet, wholly updated. A position that is not the start of a
// record, or a record whose Start names no whole header, changes nothing and fails.
Status UpdateHeader(FileSystem& file_system, std::string_view folder, const PacketName& base, uint64_t record_position,
                    const HeaderFields& fields);

}  // namespace oldvek

#endif  // OLDVEK_EDITING_HEADER_UPDATE_H_
