// OLEAUT32's string and array functions for Linux, with the Windows layout: a BSTR is
// preceded by its 32-bit byte count and followed by two zero bytes; a SAFEARRAY with
// FADF_HAVEVARTYPE keeps its VARTYPE in the 4 bytes before the descriptor.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "oldvek_oleaut.h"

namespace {

constexpr size_t kDescriptorOffset = 16;  // room for the VARTYPE, keeps the descriptor aligned

size_t ElementSize(VARTYPE vt) { return vt == VT_BSTR ? sizeof(BSTR) : sizeof(int32_t); }

VARTYPE VarTypeOf(const SAFEARRAY* array) {
  int32_t vt = 0;
  std::memcpy(&vt, reinterpret_cast<const char*>(array) - 4, sizeof(vt));
  return static_cast<VARTYPE>(vt);
}

BSTR CopyString(BSTR text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

// Address of element `indices[0]`, or nullptr when the index lies outside the bounds.
void* ElementAt(SAFEARRAY* array, const LONG* indices) {
  const SAFEARRAYBOUND& bound = array->rgsabound[0];
  const int64_t offset = static_cast<int64_t>(indices[0]) - bound.lLbound;
  if (offset < 0 || offset >= static_cast<int64_t>(bound.cElements)) return nullptr;
  return static_cast<char*>(array->pvData) + static_cast<size_t>(offset) * array->cbElements;
}

void FreeStrings(SAFEARRAY* array, ULONG from, ULONG to) {
  if (VarTypeOf(array) != VT_BSTR) return;
  BSTR* strings = static_cast<BSTR*>(array->pvData);
  for (ULONG i = from; i < to; ++i) {
    SysFreeString(strings[i]);
    strings[i] = nullptr;
  }
}

}  // namespace

extern "C" {

BSTR SysAllocStringByteLen(const char* bytes, UINT length) {
  if (length > std::numeric_limits<UINT>::max() - 8) return nullptr;
  char* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + length + 2));
  if (block == nullptr) return nullptr;
  const uint32_t count = length;
  std::memcpy(block, &count, sizeof(count));
  char* text = block + sizeof(uint32_t);
  if (bytes != nullptr) {
    std::memcpy(text, bytes, length);
  } else {
    std::memset(text, 0, length);
  }
  text[length] = 0;
  text[length + 1] = 0;
  return reinterpret_cast<BSTR>(text);
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(reinterpret_cast<char*>(text) - sizeof(uint32_t));
}

UINT SysStringByteLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t count = 0;
  std::memcpy(&count, reinterpret_cast<const char*>(text) - sizeof(uint32_t), sizeof(count));
  return count;
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
  if (dims != 1 || bounds == nullptr || (vt != VT_BSTR && vt != VT_I4)) return nullptr;
  const size_t element_size = ElementSize(vt);
  if (bounds[0].cElements > std::numeric_limits<size_t>::max() / element_size) return nullptr;
  char* block = static_cast<char*>(std::calloc(1, kDescriptorOffset + sizeof(SAFEARRAY)));
  if (block == nullptr) return nullptr;
  auto* array = reinterpret_cast<SAFEARRAY*>(block + kDescriptorOffset);
  const int32_t stored_vt = vt;
  std::memcpy(block + kDescriptorOffset - 4, &stored_vt, sizeof(stored_vt));
  array->cDims = 1;
  array->fFeatures = static_cast<USHORT>(FADF_HAVEVARTYPE | (vt == VT_BSTR ? FADF_BSTR : 0));
  array->cbElements = static_cast<ULONG>(element_size);
  array->rgsabound[0] = bounds[0];
  array->pvData = std::calloc(bounds[0].cElements == 0 ? 1 : bounds[0].cElements, element_size);
  if (array->pvData == nullptr) {
    std::free(block);
    return nullptr;
  }
  return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (array == nullptr) return S_OK;
  if (array->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  FreeStrings(array, 0, array->rgsabound[0].cElements);
  std::free(array->pvData);
  std::free(reinterpret_cast<char*>(array) - kDescriptorOffset);
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array == nullptr ? 0 : array->cDims; }

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound) {
  if (array == nullptr || bound == nullptr) return E_INVALIDARG;
  if (dim != 1) return DISP_E_BADINDEX;
  *bound = array->rgsabound[0].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound) {
  if (array == nullptr || bound == nullptr) return E_INVALIDARG;
  if (dim != 1) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& b = array->rgsabound[0];
  *bound = static_cast<LONG>(static_cast<int64_t>(b.lLbound) + b.cElements - 1);
  return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, LONG* indices, void** element) {
  if (array == nullptr || indices == nullptr || element == nullptr) return E_INVALIDARG;
  void* address = ElementAt(array, indices);
  if (address == nullptr) return DISP_E_BADINDEX;
  *element = address;
  return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value) {
  if (array == nullptr || indices == nullptr || value == nullptr) return E_INVALIDARG;
  void* address = ElementAt(array, indices);
  if (address == nullptr) return DISP_E_BADINDEX;
  if (VarTypeOf(array) == VT_BSTR) {
    BSTR stored = *static_cast<BSTR*>(address);
    BSTR copy = CopyString(stored);
    if (stored != nullptr && copy == nullptr) return E_OUTOFMEMORY;
    *static_cast<BSTR*>(value) = copy;
  } else {
    std::memcpy(value, address, array->cbElements);
  }
  return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value) {
  if (array == nullptr || indices == nullptr) return E_INVALIDARG;
  void* address = ElementAt(array, indices);
  if (address == nullptr) return DISP_E_BADINDEX;
  if (VarTypeOf(array) == VT_BSTR) {
    // As on Windows, `value` is the BSTR itself, and the array keeps a copy of it.
    BSTR source = static_cast<BSTR>(value);
    BSTR copy = CopyString(source);
    if (source != nullptr && copy == nullptr) return E_OUTOFMEMORY;
    BSTR* slot = static_cast<BSTR*>(address);
    SysFreeString(*slot);
    *slot = copy;
  } else {
    if (value == nullptr) return E_INVALIDARG;
    std::memcpy(address, value, array->cbElements);
  }
  return S_OK;
}

HRESULT SafeArrayRedim(SAFEARRAY* array, SAFEARRAYBOUND* bound) {
  if (array == nullptr || bound == nullptr) return E_INVALIDARG;
  if (array->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  const ULONG old_count = array->rgsabound[0].cElements;
  const ULONG new_count = bound->cElements;
  if (new_count > std::numeric_limits<size_t>::max() / array->cbElements) return E_OUTOFMEMORY;
  if (new_count < old_count) FreeStrings(array, new_count, old_count);
  void* data = std::realloc(array->pvData, (new_count == 0 ? 1 : new_count) * static_cast<size_t>(array->cbElements));
  if (data == nullptr) return E_OUTOFMEMORY;
  if (new_count > old_count) {
    std::memset(static_cast<char*>(data) + static_cast<size_t>(old_count) * array->cbElements, 0,
                static_cast<size_t>(new_count - old_count) * array->cbElements);
  }
  array->pvData = data;
  array->rgsabound[0] = *bound;
  return S_OK;
}

}  // extern "C"
