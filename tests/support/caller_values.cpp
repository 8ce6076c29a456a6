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

long StringArray::lower() const {
  LONG bound = 0;
  SafeArrayGetLBound(array_, 1, &bound);
  return bound;
}

long StringArray::upper() const {
  LONG bound = 0;
  SafeArrayGetUBound(array_, 1, &bound);
  return bound;
}

std::vector<std::string> StringArray::items() const {
  std::vector<std::string> result;
  if (array_ == nullptr) return result;
  for (long i = lower(); i <= upper(); ++i) {
    BSTR text = nullptr;
    LONG index = static_cast<LONG>(i);
    if (SafeArrayGetElement(array_, &index, &text) != S_OK) throw std::runtime_error("SafeArrayGetElement failed");
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
