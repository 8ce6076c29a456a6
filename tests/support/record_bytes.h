#ifndef OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_
#define OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_

// The caller's packed records as bytes, for comparing every byte of one at once.

#include <string>

#include "packet_writer.h"

namespace oldvek::testing {

template <typename Record>
std::string RecordBytes(const Record& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

// Author, Subject, Origin, Date and Code as a SnippetRecord holds them from its second byte.
inline std::string HeaderFieldBytes(const TestSnippet& snippet) {
  return Fixed(snippet.author, 31) + Fixed(snippet.subject, 31) + Fixed(snippet.origin, 31) + Fixed(snippet.date, 23) +
         Fixed(snippet.code, 23);
}

}  // namespace oldvek::testing

#endif  // OLDVEK_TESTS_SUPPORT_RECORD_BYTES_H_
