#include "abi/string_list_builder.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "abi/caller_types.h"

namespace oldvek::abi {
namespace {

// Upper bounds are 32-bit signed and the lower bound is 1.
constexpr long kMaxElements = std::numeric_limits<int32_t>::max();
constexpr long kFirstCapacity = 64;

}  // namespace

StringListBuilder::~StringListBuilder() { SafeArrayDestroy(array_); }

bool StringListBuilder::Add(std::string_view bytes) {
  if (size_ == capacity_ && !Grow()) return false;
  if (!Place(size_ + 1, bytes)) return false;
  ++size_;
  return true;
}

bool StringListBuilder::Set(long index, std::string_view bytes) {
  return index >= 1 && index <= size_ && Place(index, bytes);
}

bool StringListBuilder::Place(long index, std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<UINT>::max() - 8) return false;
  BSTR text = SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()));
  if (text == nullptr) return false;
  LONG position = static_cast<LONG>(index);
  void* slot = nullptr;
  if (SafeArrayPtrOfIndex(array_, &position, &slot) != S_OK) {
    SysFreeString(text);
    return false;
  }
  // The array owns the strings in its slots: the new one is placed, not copied again.
  SysFreeString(*static_cast<BSTR*>(slot));
  *static_cast<BSTR*>(slot) = text;
  return true;
}

bool StringListBuilder::Grow() {
  if (capacity_ == kMaxElements) return false;
  const long capacity =
      capacity_ == 0 ? kFirstCapacity : static_cast<long>(std::min<int64_t>(kMaxElements, int64_t{capacity_} * 2));
  SAFEARRAYBOUND bound{static_cast<ULONG>(capacity), 1};
  if (array_ == nullptr) {
    array_ = SafeArrayCreate(VT_BSTR, 1, &bound);
    if (array_ == nullptr) return false;
  } else if (SafeArrayRedim(array_, &bound) != S_OK) {
    return false;
  }
  capacity_ = capacity;
  return true;
}

bool StringListBuilder::HandOver(SAFEARRAY** target) {
  if (target == nullptr) return false;
  if (size_ > 0 && size_ < capacity_) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(size_), 1};
    if (SafeArrayRedim(array_, &bound) != S_OK) return false;
    capacity_ = size_;
  }
  Erase(target);
  if (size_ > 0) {
    *target = array_;
    array_ = nullptr;
  }
  SafeArrayDestroy(array_);
  array_ = nullptr;
  size_ = 0;
  capacity_ = 0;
  return true;
}

}  // namespace oldvek::abi
