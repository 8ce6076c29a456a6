#include "abi/caller_types.h"

#include <cstring>
#include <limits>

namespace oldvek::abi {
namespace {

std::string_view BytesOf(BSTR text) {
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text), SysStringByteLen(text)};
}

BSTR NewString(std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<UINT>::max() - 8) return nullptr;
  return SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()));
}

bool HoldsStrings(const SAFEARRAY& array) {
  return (array.fFeatures & FADF_BSTR) != 0 && array.cbElements == sizeof(BSTR);
}

// A string array's elements are pointers: never read one as a number.
bool HoldsIntegers(const SAFEARRAY& array) {
  return (array.fFeatures & FADF_BSTR) == 0 && array.cbElements == sizeof(int32_t);
}

}  // namespace

std::string ToString(const BSTR* text) { return text == nullptr ? std::string() : std::string(BytesOf(*text)); }

void Assign(BSTR* target, std::string_view bytes) {
  if (target == nullptr) return;
  BSTR replacement = NewString(bytes);
  SysFreeString(*target);
  *target = replacement;
}

LentString::LentString(std::string_view bytes) : text_(NewString(bytes)) {}

LentString::~LentString() { SysFreeString(text_); }

std::optional<Bounds> BoundsOf(SAFEARRAY* const* array) {
  if (array == nullptr || *array == nullptr || SafeArrayGetDim(*array) != 1) return std::nullopt;
  LONG lower = 0;
  LONG upper = 0;
  if (SafeArrayGetLBound(*array, 1, &lower) != S_OK || SafeArrayGetUBound(*array, 1, &upper) != S_OK) {
    return std::nullopt;
  }
  return Bounds{lower, upper};
}

BSTR* ElementSlot(SAFEARRAY* const* array, long index) {
  const std::optional<Bounds> bounds = BoundsOf(array);
  if (!bounds || !bounds->Contains(index)) return nullptr;
  void* element = nullptr;
  LONG position = static_cast<LONG>(index);
  if (SafeArrayPtrOfIndex(*array, &position, &element) != S_OK) return nullptr;
  return static_cast<BSTR*>(element);
}

std::span<BSTR> StringsInPlace(SAFEARRAY* const* array) {
  const std::optional<Bounds> bounds = BoundsOf(array);
  if (!bounds || !HoldsStrings(**array) || (*array)->cLocks != 0) return {};
  BSTR* first = ElementSlot(array, bounds->lower);
  if (first == nullptr) return {};
  return {first, static_cast<size_t>(int64_t{bounds->upper} - bounds->lower + 1)};
}

std::string ElementAt(SAFEARRAY* const* array, long index) {
  BSTR* slot = ElementSlot(array, index);
  return slot == nullptr ? std::string() : std::string(BytesOf(*slot));
}

std::optional<int32_t> IntegerAt(SAFEARRAY* const* array, long index) {
  const std::optional<Bounds> bounds = BoundsOf(array);
  if (!bounds || !bounds->Contains(index) || !HoldsIntegers(**array)) return std::nullopt;
  void* element = nullptr;
  LONG position = static_cast<LONG>(index);
  if (SafeArrayPtrOfIndex(*array, &position, &element) != S_OK) return std::nullopt;
  int32_t value = 0;
  std::memcpy(&value, element, sizeof(value));
  return value;
}

std::vector<std::string> ReadList(SAFEARRAY* const* array) {
  std::vector<std::string> items;
  const std::optional<Bounds> bounds = BoundsOf(array);
  if (!bounds) return items;
  for (long i = bounds->lower; i <= bounds->upper; ++i) items.push_back(ElementAt(array, i));
  return items;
}

void Erase(SAFEARRAY** array) {
  if (array == nullptr || *array == nullptr) return;
  SafeArrayDestroy(*array);
  *array = nullptr;
}

bool StoreList(SAFEARRAY** array, std::span<const std::string> items) {
  if (array == nullptr) return false;
  Erase(array);
  if (items.empty()) return true;
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), 1};
  SAFEARRAY* fresh = SafeArrayCreate(VT_BSTR, 1, &bound);
  if (fresh == nullptr) return false;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!PutElement(fresh, static_cast<long>(i + 1), items[i])) {
      SafeArrayDestroy(fresh);
      return false;
    }
  }
  *array = fresh;
  return true;
}

bool ResizeList(SAFEARRAY** array, long count) {
  if (array == nullptr || count < 0) return false;
  SAFEARRAYBOUND bound{static_cast<ULONG>(count), 1};
  if (*array == nullptr) {
    *array = SafeArrayCreate(VT_BSTR, 1, &bound);
    return *array != nullptr;
  }
  return SafeArrayRedim(*array, &bound) == S_OK;
}

bool PutElement(SAFEARRAY* array, long index, std::string_view bytes) {
  BSTR text = NewString(bytes);
  if (text == nullptr) return false;
  LONG position = static_cast<LONG>(index);
  const HRESULT result = SafeArrayPutElement(array, &position, text);
  SysFreeString(text);
  return result == S_OK;
}

}  // namespace oldvek::abi
