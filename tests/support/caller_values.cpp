#include "caller_values.h"

#include <stdexcept>

namespace oldvek::testing {

std::string BstrBytes(BSTR text) {
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

Bstr::Bstr(std::string_view bytes) : value_(SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()))) {}

Bstr::~Bstr() { SysFreeString(value_); }

std::string Bstr::str() const { return BstrBytes(value_); }

OwnedArray::OwnedArray(VARTYPE type, size_t count, long lower) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(count), static_cast<LONG>(lower)};
  array_ = SafeArrayCreate(type, 1, &bound);
  if (array_ == nullptr) throw std::runtime_error("SafeArrayCreate failed");
}

OwnedArray::~OwnedArray() {
  if (array_ != nullptr) SafeArrayDestroy(array_);
}

void OwnedArray::Put(size_t i, void* value) {
  LONG index = static_cast<LONG>(lower() + static_cast<long>(i));
  if (SafeArrayPutElement(array_, &index, value) != S_OK) throw std::runtime_error("SafeArrayPutElement failed");
}

SAFEARRAY* OwnedArray::Release() {
  SAFEARRAY* array = array_;
  array_ = nullptr;
  return array;
}

long OwnedArray::lower() const {
  LONG bound = 0;
  SafeArrayGetLBound(array_, 1, &bound);
  return bound;
}

StringArray::StringArray(const std::vector<std::string>& items, long lower) : OwnedArray(VT_BSTR, items.size(), lower) {
  for (size_t i = 0; i < items.size(); ++i) Put(i, *Bstr(items[i]).get());
}

std::vector<std::string> StringArray::items() const { return ArrayItems(array_); }

IntegerArray::IntegerArray(const std::vector<int32_t>& values, long lower) : OwnedArray(VT_I4, values.size(), lower) {
  for (size_t i = 0; i < values.size(); ++i) {
    int32_t value = values[i];
    Put(i, &value);
  }
}

std::vector<std::string> ArrayItems(SAFEARRAY* array) {
  std::vector<std::string> result;
  if (array == nullptr) return result;
  LONG lower = 0;
  LONG upper = 0;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  for (LONG index = lower; index <= upper; ++index) {
    BSTR text = nullptr;
    if (SafeArrayGetElement(array, &index, &text) != S_OK) throw std::runtime_error("SafeArrayGetElement failed");
    result.push_back(BstrBytes(text));
    SysFreeString(text);
  }
  return result;
}

}  // namespace oldvek::testing
