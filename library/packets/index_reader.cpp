#include "packets/index_reader.h"

#include <algorithm>

namespace oldvek {

Status IndexReader::Next(IndexRecord& record) {
  if (next_ > count_) return Status::Error("cannot read past the last record of " + index_.path());
  const uint64_t held = run_.size() / kIndexRecordSize;
  if (next_ < run_first_ || next_ >= run_first_ + held) {
    run_first_ = next_;
    run_.resize(std::min(kRecordsPerRead, count_ - next_ + 1) * kIndexRecordSize);
    OLDVEK_RETURN_IF_ERROR(ReadAtPosition(index_, RecordPosition(next_), run_));
  }
  std::copy_n(run_.data() + (next_ - run_first_) * kIndexRecordSize, kIndexRecordSize, record.bytes().data());
  ++next_;
  return Status::Ok();
}

}  // namespace oldvek
