#ifndef OLDVEK_ABI_CALLER_TYPES_H_
#define OLDVEK_ABI_CALLER_TYPES_H_

// Conversions between the caller's automation strings and arrays and plain C++ values.
// Every function accepts NULL where the caller may pass NULL: a NULL string reads as empty,
// a NULL array is an erased one.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "oldvek_oleaut.h"

namespace oldvek::abi {

// The bytes of a caller string.
std::string ToString(const BSTR* text);

// Replaces the caller's string by a new one holding `bytes`; the old one is freed.
void Assign(BSTR* target, std::string_view bytes);

// A string the library makes to lend to a caller's callback. The callback may replace it;
// whatever it holds in the end is freed with it.
class LentString {
 public:
  explicit LentString(std::string_view bytes);
  ~LentString();
  LentString(const LentString&) = delete;
  LentString& operator=(const LentString&) = delete;

  BSTR* get() { return &text_; }

 private:
  BSTR text_;
};

struct Bounds {
  long lower;
  long upper;  // lower - 1 when the array has no elements

  // Taken as 64-bit: a wider index must not wrap into the array when long is 32 bits.
  bool Contains(int64_t index) const { return index >= lower && index <= upper; }
};

// The bounds the caller gave a one-dimensional array; nothing for an erased array.
std::optional<Bounds> BoundsOf(SAFEARRAY* const* array);

// Where element `index` of a string array is kept, for a callee that may replace it in
// place; nullptr when the array is erased or has no such element.
BSTR* ElementSlot(SAFEARRAY* const* array, long index);

// The elements of a string array as they lie in memory, lower bound first, for a pass over them
// in place; empty when the array is erased, has no elements, holds no strings, or is locked.
std::span<BSTR> StringsInPlace(SAFEARRAY* const* array);

// Element `index` of a string array; empty when the array is erased or has no such element.
std::string ElementAt(SAFEARRAY* const* array, long index);

// Element `index` of an array of 32-bit integers (VT_I4); nothing when the array is erased,
// has no such element, or does not hold 4-byte numbers.
std::optional<int32_t> IntegerAt(SAFEARRAY* const* array, long index);

// Every element of a string array, from its lower bound to its upper bound.
std::vector<std::string> ReadList(SAFEARRAY* const* array);

// Erases the caller's array (NULL afterwards).
void Erase(SAFEARRAY** array);

// What an export shows when the caller's snippet list cannot be stored for want of memory.
inline constexpr std::string_view kNoMemoryForSnippetList = "There is not enough memory for the snippet list.";

// Erases the caller's array and dimensions it 1 to items.size(), element k holding item k;
// with no items it stays erased. Returns false when memory runs out (the array is then erased).
bool StoreList(SAFEARRAY** array, std::span<const std::string> items);

// Gives the caller's string array the bounds 1 to count, keeping the elements that stay in
// range (the array is created when erased).
bool ResizeList(SAFEARRAY** array, long count);

// Stores a copy of `bytes` as element `index`.
bool PutElement(SAFEARRAY* array, long index, std::string_view bytes);

}  // namespace oldvek::abi

#endif  // OLDVEK_ABI_CALLER_TYPES_H_
