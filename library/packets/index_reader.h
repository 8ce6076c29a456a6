#ifndef OLDVEK_PACKETS_INDEX_READER_H_
#define OLDVEK_PACKETS_INDEX_READER_H_

#include <cstdint>
#include <string>

#include "base/status.h"
#include "packets/formats.h"
#include "platform/file.h"

namespace oldvek {

// Reads the records of an index file front to back, many records per read, so that a long
// index costs a few large reads rather than one read per record.
class IndexReader {
 public:
  // Reads records 1 to `count` of `index`, which must outlive the reader.
  IndexReader(File& index, uint64_t count) : index_(index), count_(count) {}

  // The number (from 1) of the record that Next reads; count + 1 once all are read.
  uint64_t next_number() const { return next_; }

  // Reads the next record. Reading past record `count` is a failure.
  Status Next(IndexRecord& record);

 private:
  static constexpr uint64_t kRecordsPerRead = 4096;

  File& index_;
  const uint64_t count_;
  uint64_t next_ = 1;
  uint64_t run_first_ = 1;  // the number of the first record held in run_
  std::string run_;
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_INDEX_READER_H_
