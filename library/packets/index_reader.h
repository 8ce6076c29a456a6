#ifndef OLDVEK_PACKETS_INDEX_READER_H_
#define OLDVEK_PACKETS_INDEX_READER_H_

#include <cstdint>
#include <string>

#include "base/status.h"
#include "packets/formats.h"
#include "platform/file.h"

namespace oldvek {

// Reads the whole records of an index file a run at a time, so that a pass over a large
// index costs a few large reads instead of one small read per record.
class IndexReader {
 public:
  static constexpr uint64_t kRecordsPerRun = 4096;

  // `record_count` whole records are read; a trailing partial record is not one of them.
  IndexReader(File& index, uint64_t record_count) : index_(index), record_count_(record_count) {}

  uint64_t record_count() const { return record_count_; }

  // Record `number`, from 1 to record_count(). Reading the records in ascending order
  // (with look-ahead to the next one) reads each run once.
  Status Read(uint64_t number, IndexRecord& record);

 private:
  File& index_;
  uint64_t record_count_;
  uint64_t run_first_ = 0;  // number of the first record in `run_`; 0 before any read
  std::string run_;
};

}  // namespace oldvek

#endif  // OLDVEK_PACKETS_INDEX_READER_H_
