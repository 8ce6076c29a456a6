#ifndef OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_
#define OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_

// The caller's packed records as bytes, for comparing every byte of one at once (with
// HeaderFieldBytes of packet_writer.h).

#include <string>

#include "packet_writer.h"

namespace oldvek::testing {

template <typename Record>
std::string RecordBytes(const Record& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_
