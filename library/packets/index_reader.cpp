#include "packets/index_reader.h"

#include <algorithm>

namespace oldvek {

Status IndexReader::Read(uint64_t number, IndexRecord& record) {
  if (number == 0 || number > record_count_) {
    return Status::Error(index_.path() + " has no record " + std::to_string(number));
  }
  const uint64_t run_records = run_.size() / kIndexRecordSize;
  if (run_first_ == 0 || number < run_first_ || number >= run_first_ + run_records) {
    run_.resize(std::min(kRecordsPerRun, record_count_ - number + 1) * kIndexRecordSize);
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(index_, RecordPosition(number), run_));
    run_first_ = number;
  }
  std::copy_n(run_.data() + (number - run_first_) * kIndexRecordSize, kIndexRecordSize, record.bytes().data());
  return Status::Ok();
}

}  // namespace oldvek
