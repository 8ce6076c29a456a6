#include "packets/formats.h"

#include <algorithm>

#include "base/text.h"

namespace oldvek {

uint64_t IndexRecord::start() const { return ReadDecimal(Field(kStart)); }

void IndexRecord::set_start(uint64_t position) { SetField(kStart, DecimalText(position)); }

Status NoRecordAt(uint64_t position, std::string_view index_path) {
  return Status::Error(std::string(index_path) + " has no record at position " + DecimalText(position));
}

Status ReadAtPosition(File& file, uint64_t position, std::span<char> buffer) {
  if (position == 0) {
    std::fill(buffer.begin(), buffer.end(), '\0');
    return Status::Ok();
  }
  return file.ReadAt(position - 1, buffer);
}

Status WriteAtPosition(File& file, uint64_t position, std::span<const char> data) {
  if (position == 0) return Status::Error("cannot write " + file.path() + " before its first byte");
  return file.WriteAt(position - 1, data);
}

}  // namespace oldvek
