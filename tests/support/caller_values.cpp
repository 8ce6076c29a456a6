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

StringArray::StringArray(const std::vector<std::string>& items, long lower) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), static_cast<LONG>(lower)};
  array_ = SafeArrayCreate(VT_BSTR, 1, &bound);
  if (array_ == nullptr) throw std::runtime_error("SafeArrayCreate failed");
  for (size_t i = 0; i < items.size(); ++i) {
    Bstr text(items[i]);
    LONG index = static_cast<LONG>(lower + static_cast<long>(i));
    if (SafeArrayPutElement(array_, &index, *text.get()) != S_OK) throw std::runtime_error("SafeArrayPutElement failed");
  }
}

StringArray::~StringArray() {
  if (array_ != nullptr) SafeArrayDestroy(array_);
}

SAFEARRAY* StringArray::Release() {
  SAFEARRAY* array = array_;
  array_ = nullptr;
  return array;
}

long StringArray::lower() const {
  LONG bound = 0;
  SafeArrayGetLBound(array_, 1, &bound);
  return bound;
}

std::vector<std::string> StringArray::items() const { return ArrayItems(array_); }

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

IntegerArray::IntegerArray(const std::vector<int32_t>& values, long lower) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), static_cast<LONG>(lower)};
  array_ = SafeArrayCreate(VT_I4, 1, &bound);
  if (array_ == nullptr) throw std::runtime_error("SafeArrayCreate failed");
  for (size_t i = 0; i < values.size(); ++i) {
    LONG index = static_cast<LONG>(lower + static_cast<long>(i));
    int32_t value = values[i];
    if (SafeArrayPutElement(array_, &index, &value) != S_OK) throw std::runtime_error("SafeArrayPutElement failed");
  }
}

IntegerArray::~IntegerArray() {
  if (array_ != nullptr) SafeArrayDestroy(array_);
}

}  // namespace oldvek::testing
